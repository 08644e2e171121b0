#include "setup/engine/maker_keys.h"

#include "common/registry_key.h"
#include "platform/machine.h"
#include "setup/engine/install_session.h"
#include "common/redirection_switch.h"
#include "setup/engine/setup_config.h"

namespace setup {
namespace {

// Writes DWORDs into one key, creating it; the first failure is the message.
bool writeValues(InstallSession& session, const std::string& keyPath,
                 const std::vector<std::pair<std::string, std::uint32_t>>& values) {
    common::RegistryKey key(session.machine.registry(), session.wow64);
    bool ok = key.create(keyPath);
    for (std::size_t i = 0; ok && i < values.size(); ++i)
        ok = key.writeDword(values[i].first, values[i].second);
    if (!ok) {
        std::string shown = keyPath;
        if (!shown.empty() && shown.back() == '\\')
            shown.pop_back();
        session.error = "The USB port could not be recorded under HKLM\\" + shown + ".";
        const std::string system = session.systemText(key.lastError());
        if (!system.empty())
            session.error += "\n" + system;
    }
    return ok;
}

} // namespace

bool recordUsbPort(InstallSession& session, SetupConfig& config, const std::string& portName) {
    const int number = config.usbPortNumber(portName);
    common::RedirectionSwitch native(session.machine, session.wow64, session.owner,
                                     common::RedirectionSwitch::Mode::Announced);
    if (!writeValues(session, portNameKey, {{portName, static_cast<std::uint32_t>(number)}}))
        return false;
    std::vector<std::pair<std::string, std::uint32_t>> slots;
    for (int i = 1; i <= 8; ++i)
        slots.emplace_back("D" + std::to_string(i), 0);
    return writeValues(session, printerPortKey, slots);
}

bool recordPrinterPort(InstallSession& session, const std::string& portText) {
    common::RedirectionSwitch native(session.machine, session.wow64, session.owner,
                                     common::RedirectionSwitch::Mode::Announced);
    return writeValues(session, printerPortKey, {{portText, 0}});
}

} // namespace setup
