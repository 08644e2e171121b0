#include "setup/engine/config_reader.h"

#include "common/config_int.h"
#include "platform/profile_files.h"

#include <cstring>
#include <utility>

namespace setup {

namespace {

bool isBareName(const std::string& name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c) != nullptr)
            return false;
    }
    return name.find("..") == std::string::npos;
}

} // namespace

ConfigReader::ConfigReader(platform::ProfileFiles& profiles, std::string file, std::string section)
    : profiles_(profiles), file_(std::move(file)), section_(std::move(section)) {}

std::string ConfigReader::text(const std::string& key, std::size_t limit) {
    // Two bytes more than the limit and the terminator: a quoted value one
    // character too long loses its last character together with the closing
    // quote when the buffer is exactly one byte short, so only this size shows
    // every over-long value as over-long.
    std::string value = profiles_.GetPrivateProfileStringA(section_, key, "0", limit + 3, file_);
    if (value.size() > limit) {
        refuse(key, "is longer than " + std::to_string(limit) + " characters");
        return {};
    }
    return value;
}

std::string ConfigReader::fileName(const std::string& key) {
    std::string value = text(key, fileNameLimit);
    if (!isBareName(value)) {
        refuse(key, "is not a bare file name: \"" + value + "\"");
        return {};
    }
    return value;
}

int ConfigReader::version(const std::string& key) {
    return common::atoiDecimal(text(key, versionLimit));
}

int ConfigReader::integer(const std::string& key) {
    return common::readConfigInt(profiles_, file_, section_, key);
}

bool ConfigReader::flag(const std::string& key) {
    const std::string value = text(key, flagLimit);
    return !value.empty() && value.front() == '1';
}

void ConfigReader::refuse(const std::string& key, const std::string& why) {
    if (result_.ok())
        result_.error = key + " in section [" + section_ + "] of " + file_ + " " + why;
}

} // namespace setup
