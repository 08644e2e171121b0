#include "common/quiet_command_line.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace common {
namespace {

// Words separated by blanks; double quotes hold blanks in a word and are dropped.
bool splitWords(const std::string& text, std::vector<std::string>& words) {
    std::string word;
    bool quoted = false, inWord = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return !quoted;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

QuietCommandLine parseQuietCommandLine(const std::string& arguments) {
    QuietCommandLine line;
    std::vector<std::string> words;
    if (!splitWords(arguments, words)) {
        line.error = "the command line has a double quote that is not closed";
        return line;
    }
    for (std::size_t i = 0; i < words.size() && line.ok(); ++i) {
        const std::string& word = words[i];
        const std::string name =
            !word.empty() && (word[0] == '/' || word[0] == '-') ? lower(word.substr(1)) : "";
        if (name == "quiet") {
            line.quiet = true;
            continue;
        }
        std::string* value = name == "response" ? &line.response
                             : name == "log"    ? &line.log
                                                : nullptr;
        if (value == nullptr) {
            line.error = "unknown argument \"" + word +
                         "\"; the switches are /quiet, "
                         "/response FILE and /log FILE";
        } else if (!value->empty()) {
            line.error = word + " is given twice";
        } else if (i + 1 >= words.size() || words[i + 1].empty()) {
            line.error = word + " wants a file name";
        } else {
            *value = words[++i];
        }
    }
    return line;
}

} // namespace common
