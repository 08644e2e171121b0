#include "setup/engine/install_session.h"

#include "common/system_text.h"
#include "platform/machine.h"
#include "setup/engine/engine_texts.h"

namespace setup {

InstallSession::InstallSession(platform::Machine& m, common::OsVariant variant, bool isWow64,
                               platform::Handle ownerWindow, const std::string& languageFile)
    : machine(m), os(variant), wow64(isWow64), owner(ownerWindow),
      messages_(m.profiles(),
                languageFile.empty() ? common::setupLanguageFilePath(m) : languageFile, "Message"),
      caption_(SetupTexts(m.profiles(),
                          languageFile.empty() ? common::setupLanguageFilePath(m) : languageFile)
                   .get("Setup", "Caption")) {}

std::string InstallSession::text(const std::string& key) const {
    std::string value = messages_.get(key);
    if (value.empty())
        value = fallbackText(key);
    return value.empty() ? key : value;
}

std::string languageFileFor(platform::Machine& machine, const std::string& programFolder) {
    std::string folder;
    if (!machine.system().GetCurrentDirectoryA(folder) || folder.empty())
        folder = programFolder;
    return folder + "\\language\\setup.ini";
}

bool InstallSession::step(const std::string& what) {
    if (log != nullptr)
        log->step(what);
    return true;
}

std::string InstallSession::systemText(std::uint32_t code) const {
    return common::systemText(machine, code);
}

void InstallSession::fail(const std::string& key, std::uint32_t code) {
    error = text(key);
    const std::string system = systemText(code);
    if (!system.empty())
        error += "\n" + system;
}

std::optional<std::string> InstallSession::folder(bool ok, std::string path, const char* key) {
    if (!ok || path.empty()) {
        fail(key, ok ? 0 : machine.GetLastError());
        return std::nullopt;
    }
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    if (!pathFits(path + "\\12345678.123"))
        return std::nullopt;
    return path;
}

std::optional<std::string> InstallSession::windowsFolder(const char* key) {
    std::string path;
    const bool ok = machine.system().GetWindowsDirectoryA(path);
    return folder(ok, path, key);
}

std::optional<std::string> InstallSession::systemFolder(const char* key) {
    std::string path;
    const bool ok = machine.system().GetSystemDirectoryA(path);
    return folder(ok, path, key);
}

std::optional<std::string> InstallSession::currentFolder(const char* key) {
    std::string path;
    const bool ok = machine.system().GetCurrentDirectoryA(path);
    return folder(ok, path, key);
}

// The folders of the machine's own environment: on 64-bit Windows the 32-bit
// setup would otherwise be given those of its own, 32-bit, clients.
std::optional<std::string> InstallSession::driverFolder(const char* key) {
    std::string path;
    const bool ok =
        machine.spooler().GetPrinterDriverDirectoryA(wow64 ? common::x64Environment : "", path);
    return folder(ok, path, key);
}

std::optional<std::string> InstallSession::processorFolder(const char* key) {
    std::string path;
    const bool ok =
        machine.spooler().GetPrintProcessorDirectoryA(wow64 ? common::x64Environment : "", path);
    return folder(ok, path, key);
}

bool InstallSession::pathFits(const std::string& path) {
    if (path.size() <= maxPathLength)
        return true;
    error = "The path \"" + path + "\" is longer than " + std::to_string(maxPathLength) +
            " characters; Windows cannot use it. Install the package from a shorter folder.";
    return false;
}

void InstallSession::show(const std::string& message, std::uint32_t icon) {
    machine.desktop().MessageBoxA(owner, message, caption_, platform::mb::ok | icon);
}

bool InstallSession::ask(const std::string& question) {
    return machine.desktop().MessageBoxA(owner, question, caption_,
                                         platform::mb::yesNo | platform::mb::iconQuestion) ==
           platform::mb::idYes;
}

} // namespace setup
