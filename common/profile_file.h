// The private-profile (INI) file semantics of Windows, over a file's bytes:
// what GetPrivateProfileStringA answers and what WritePrivateProfileStringA
// leaves in the file. The simulated machine serves its profile calls with it;
// the Wine tests compare it with the real functions.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// The value of key in section, or defaultValue when the file, section or key
// is missing; cut to bufferSize - 1 bytes as the real call cuts it (an empty
// string when bufferSize is 0).
std::string profileGetString(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize);

// A file's text cut into lines once, for many reads: the same answers as
// profileGetString.
class ParsedProfile {
public:
    explicit ParsedProfile(std::string text);
    ~ParsedProfile();
    ParsedProfile(const ParsedProfile&) = delete;
    ParsedProfile& operator=(const ParsedProfile&) = delete;

    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) const;

private:
    struct Lines;
    std::string text_;
    std::unique_ptr<Lines> lines_; // views into text_
};

// What GetPrivateProfileStringA answers when the file cannot be opened for a
// reason other than its absence (its folder is missing, access is denied): the
// default without its trailing spaces, its quotes left as they are. An absent
// file answers like an empty one.
std::string profileDefaultWhenUnopenable(std::string_view defaultValue, std::size_t bufferSize);

// The file text after WritePrivateProfileStringA(section, key, value).
std::string profileSetString(std::string_view fileText, std::string_view section,
                             std::string_view key, std::string_view value);

// What GetPrivateProfileStringA lists for a null section (the section names)
// and for a null key (the key names of the first section of that name, the
// name taken exactly as given), in file order.
std::vector<std::string> profileSectionNames(std::string_view fileText);
std::vector<std::string> profileKeyNames(std::string_view fileText, std::string_view section);

} // namespace common
