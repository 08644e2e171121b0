// Configuration files in memory, answered by the profile-file engine: the
// configuration readers' tests need no simulated machine.
#pragma once

#include "common/profile_file.h"
#include "platform/profile_files.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace setup::testing {

class ProfileFilesFake : public platform::ProfileFiles {
public:
    struct Read {
        std::string file, section, key;
        std::size_t bufferSize;
    };

    // File names compare without regard to case, as on Windows.
    void set(const std::string& file, const std::string& text) { files_[fold(file)] = text; }
    std::string text(const std::string& file) const {
        const auto it = files_.find(fold(file));
        return it == files_.end() ? std::string() : it->second;
    }

    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string& file) override {
        reads.push_back({file, section, key, bufferSize});
        return common::profileGetString(text(file), section, key, defaultValue, bufferSize);
    }
    bool WritePrivateProfileStringA(const std::string&, const std::string&, const std::string&,
                                    const std::string&) override {
        return false;
    }
    bool WriteProfileStringA(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool FlushProfile() override { return true; }

    bool wasRead(const std::string& key) const {
        return std::any_of(reads.begin(), reads.end(), [&](const Read& r) { return r.key == key; });
    }

    std::vector<Read> reads;

private:
    static std::string fold(std::string s) {
        for (char& c : s)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }

    std::map<std::string, std::string> files_;
};

} // namespace setup::testing
