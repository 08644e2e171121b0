// The quiet runs' outside input: the response file's bytes read as
// Tessaly.exe's [Install] and Uninstall.exe's [Uninstall], and the same bytes
// as a command line. A usable file holds only known keys with values that fit
// what the wizard takes; a refusal always says why.
#include "common/quiet_command_line.h"
#include "setup/quiet_install.h"
#include "uninstall/quiet_uninstall.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkFile(const common::ResponseFile& file, const std::string& error) {
    check(file.ok() || file.values.empty());
    for (const common::ResponseValue& v : file.values) {
        check(v.line > 0 && !v.key.empty());
        check(v.value.size() <= common::maxResponseLine);
    }
    if (!error.empty())
        check(error.size() < 4 * common::maxResponseLine);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);

    const setup::InstallResponse install = setup::readInstallResponse(bytes);
    checkFile(install.file, install.error);
    if (install.error.empty()) {
        const setup::WizardChoice& c = install.choice;
        check(c.type != setup::PrinterType::None && !c.model.empty() && !c.port.empty());
        check(c.model.size() < 200 && c.port.size() < 200);
        check(!c.baud || (*c.baud > 0 && *c.baud <= 9999999));
        check(!c.dataBits || (*c.dataBits >= 5 && *c.dataBits <= 8));
    }

    const uninstall::UninstallResponse removal = uninstall::readUninstallResponse(bytes);
    checkFile(removal.file, removal.error);
    if (removal.error.empty() && removal.choice.items) {
        for (const std::string& item : *removal.choice.items)
            check(!item.empty() && item.front() != ' ' && item.back() != ' ');
    }

    const common::QuietCommandLine line =
        common::parseQuietCommandLine(std::string(bytes.begin(), bytes.end()));
    check(line.ok() || !line.error.empty());
    return 0;
}
