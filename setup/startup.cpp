#include "setup/startup.h"

#include "common/config_int.h"
#include "common/language_text.h"
#include "common/os_variant.h"
#include "platform/machine.h"
#include "setup/engine/engine_texts.h"
#include "setup/engine/setup_config.h"

namespace setup {
namespace {

const char* const setupIni = "DRVCONFIG\\setup.ini";

// The application name: the program file's name without its extension.
std::string applicationName(platform::Machine& machine) {
    std::string path;
    if (!machine.system().GetModuleFileNameA(path))
        return setupTitle;
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name.empty() ? std::string(setupTitle) : name;
}

void refuse(platform::Machine& machine, const SetupTexts& texts, const std::string& text) {
    machine.desktop().MessageBoxA(0, text, texts.get("Setup", "Caption"), platform::mb::ok);
}

} // namespace

std::string portCheckModel(platform::Machine& machine, const std::string& iniPath) {
    platform::ProfileFiles& profiles = machine.profiles();
    int count = common::readConfigInt(profiles, iniPath, "DEVICENAME", "DEVICENUMBER");
    // A damaged file must not keep the program reading for ever.
    if (count > maxModelCount)
        count = maxModelCount;
    std::string last;
    bool anyModel = false;
    for (int i = 1; i <= count; ++i) {
        const std::string entry = profiles.GetPrivateProfileStringA(
            "DEVICENAME", "DEVICENAME" + std::to_string(i), "0", 200, iniPath);
        const ModelEntry model = parseModelEntry(entry);
        if (model.type != PrinterType::None) {
            anyModel = true;
            last = model.name;
        } else {
            last = entry;
        }
    }
    return anyModel ? last : std::string();
}

bool anyPortSupported(platform::Machine& machine, const std::string& model, bool wow64) {
    static const char* const files32[] = {
        "DRVCONFIG\\setup_receipt.ini", "DRVCONFIG\\setup_ticket.ini", "DRVCONFIG\\setup_lable.ini",
        "DRVCONFIG\\setup_embedded.ini"};
    static const char* const files64[] = {
        "DRVCONFIG\\setup_receipt_64.ini", "DRVCONFIG\\setup_ticket_64.ini",
        "DRVCONFIG\\setup_lable_64.ini", "DRVCONFIG\\setup_embedded_64.ini"};
    const std::string section = model + ".PORT";
    for (const char* file : wow64 ? files64 : files32) {
        for (const char* key : {"USBSUPPORTED", "LPTSUPPORTED", "COMSUPPORTED"}) {
            if (common::readConfigInt(machine.profiles(), file, section, key) != 0)
                return true;
        }
    }
    return false;
}

StartupResult runStartup(platform::Machine& machine) {
    StartupResult result;
    platform::Desktop& desktop = machine.desktop();
    const SetupTexts texts(machine.profiles(), common::setupLanguageFilePath(machine));

    // 1. One instance: a second start brings the first one forward and ends.
    result.mutex = desktop.CreateMutexA(applicationName(machine), true);
    if (machine.GetLastError() == platform::err::alreadyExists) {
        platform::Handle running = desktop.FindWindowA(setupTitle);
        if (running == 0)
            running = desktop.FindWindowA(setupChineseTitle);
        if (running != 0) {
            desktop.SetForegroundWindow(running);
            if (desktop.IsIconic(running))
                desktop.ShowWindow(running, platform::sw::restore);
        }
        result.outcome = StartupOutcome::BroughtForward;
        return result;
    }

    // 2. Not while the uninstaller is open.
    if (desktop.FindWindowA(uninstallTitle) != 0 ||
        desktop.FindWindowA(uninstallChineseTitle) != 0) {
        result.refusal = StartupRefusal::UninstallerOpen;
        refuse(machine, texts, texts.get("Setup", "Close"));
        return result;
    }

    // 3. Windows 98, Me and NT 4 are refused; Windows 95 passes.
    platform::OsVersionInfo version;
    if (machine.system().GetVersionExA(version)) {
        const bool win98OrMe =
            version.platformId == platform::platformWindows && version.minorVersion > 0;
        const bool nt4 = version.platformId == platform::platformNt && version.majorVersion == 4 &&
                         version.minorVersion == 0;
        if (win98OrMe || nt4) {
            result.refusal = StartupRefusal::WindowsVersion;
            refuse(machine, texts, texts.get("Setup", "Nonsupport"));
            return result;
        }
    }

    // 4. and 5. The package's bitness.
    result.wow64 = common::is64BitWindows(machine);
    const int bitness =
        common::readConfigInt(machine.profiles(), setupIni, "DEVICENAME", "Supported32OR64");
    if ((bitness == 1 && result.wow64) || (bitness == 2 && !result.wow64))
        result.refusal = StartupRefusal::Bitness;
    if (bitness == 1 && result.wow64) {
        refuse(machine, texts, texts.message("IDS_X64"));
        return result;
    }
    if (bitness == 2 && !result.wow64) {
        refuse(machine, texts, texts.message("IDS_X32"));
        return result;
    }

    // 6. At least one installable port for the package's printers.
    const std::string model = portCheckModel(machine, setupIni);
    if (model.empty() || !anyPortSupported(machine, model, result.wow64)) {
        result.refusal = StartupRefusal::NoPort;
        refuse(machine, texts, texts.get("Setup", "PortNull"));
        return result;
    }

    // 8. and 9. The licence page and the dialog font.
    result.licenceInUse =
        common::readConfigInt(machine.profiles(), setupIni, "DEVICENAME", "LOADLICENSE") != 0;
    result.chineseFont =
        common::readConfigInt(machine.profiles(), setupIni, "DEVICENAME", "LANGUAGE") == 0;
    result.outcome = StartupOutcome::RunWizard;
    return result;
}

} // namespace setup
