// The Uninstall.ini reader on arbitrary text: every match text it keeps fits
// the format's 29 characters and is not empty, and every file name a monitor
// or processor section gives is a plain name that stays in its folder.
#include "common/file_names.h"
#include "common/profile_file.h"
#include "platform/profile_files.h"
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

class OneFile : public platform::ProfileFiles {
public:
    explicit OneFile(std::string text) : text_(std::move(text)) {}
    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string&) override {
        return common::profileGetString(text_, section, key, defaultValue, bufferSize);
    }
    bool WritePrivateProfileStringA(const std::string&, const std::string&, const std::string&,
                                    const std::string&) override {
        return false;
    }
    bool WriteProfileStringA(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool FlushProfile() override { return true; }

private:
    std::string text_;
};

void checkName(const std::string& name) {
    if (name.empty())
        return;
    check(name.size() <= uninstall::valueLimit);
    check(common::isBareFileName(name));
    check(name.find("..") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    OneFile file(std::string(reinterpret_cast<const char*>(data), size));
    const uninstall::UninstallConfig config(file, "Uninstall.ini");
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
