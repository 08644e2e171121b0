// The Uninstall.ini reader on arbitrary text: every match text it keeps fits
// the format's 29 characters and is not empty, and every file name a monitor
// or processor section gives is a plain name that stays in its folder.
#include "common/file_names.h"
#include "tests/setup/profile_files_fake.h"
#include "uninstall/uninstall_config.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkName(const std::string& name) {
    if (name.empty())
        return;
    check(name.size() <= uninstall::valueLimit);
    check(common::isBareFileName(name));
    check(name.find("..") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setup::testing::ProfileFilesFake files;
    files.set("Uninstall.ini", std::string(reinterpret_cast<const char*>(data), size));
    const uninstall::UninstallConfig config(files, "Uninstall.ini");
    for (const auto* texts : {&config.monitorTexts(), &config.processorTexts()}) {
        check(texts->size() <= static_cast<std::size_t>(uninstall::maxEntries));
        for (const std::string& text : *texts) {
            check(!text.empty() && text.size() <= uninstall::valueLimit);
            std::vector<std::string> problems;
            const uninstall::MonitorSection s = config.monitorSection(text, ".Win7", problems);
            for (const std::string* name : {&s.dll, &s.uiDll, &s.usbDll, &s.keyName})
                checkName(*name);
            checkName(config.processorDll(text, ".2K", problems));
        }
    }
    return 0;
}
