#include "uninstall/startup.h"

#include "common/config_int.h"
#include "common/program_titles.h"
#include "platform/machine.h"
#include "uninstall/uninstall_texts.h"

namespace uninstall {

bool packageIsChinese(platform::Machine& machine) {
    return common::readConfigInt(machine.profiles(), "DRVCONFIG\\setup.ini", "DEVICENAME",
                                 "LANGUAGE") == 0;
}

StartupResult runStartup(platform::Machine& machine, const UninstallTexts& texts) {
    StartupResult result;
    platform::Desktop& desktop = machine.desktop();

    result.mutex = desktop.CreateMutexA(uninstallMutexName, true);
    if (machine.GetLastError() == platform::err::alreadyExists) {
        // The running copy carries the title of its language file; look for
        // the Chinese and English titles as well, so that it is found
        // whichever edition it runs.
        platform::Handle running = 0;
        for (const std::string& title : {texts.title(), std::string(common::uninstallChineseTitle),
                                         std::string(common::uninstallTitle)}) {
            if (running == 0 && !title.empty())
                running = desktop.FindWindowA(title);
        }
        if (running != 0) {
            desktop.SetForegroundWindow(running);
            desktop.ShowWindow(running, platform::sw::restore);
        }
        result.outcome = StartupOutcome::BroughtForward;
        return result;
    }

    if (desktop.FindWindowA(common::setupChineseTitle) != 0 ||
        desktop.FindWindowA(common::setupTitle) != 0) {
        desktop.MessageBoxA(0, texts.get("Uninstall", "Close"), texts.title(), platform::mb::ok);
        return result;
    }

    result.chineseFont = packageIsChinese(machine);
    result.outcome = StartupOutcome::RunDialog;
    return result;
}

} // namespace uninstall
