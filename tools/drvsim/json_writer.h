// A small JSON writer: objects, arrays, strings, numbers and booleans,
// indented two spaces. Texts are bytes of the Windows ANSI code page; control
// characters and bytes above 127 are written as \u00XX.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drvsim {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The next member's name, inside an object.
    JsonWriter& key(const std::string& name);
    JsonWriter& value(const std::string& text);
    JsonWriter& value(const char* text) { return value(std::string(text)); }
    JsonWriter& value(std::uint64_t number);
    JsonWriter& boolean(bool flag);
    JsonWriter& null();
    JsonWriter& member(const std::string& name, const std::string& text) {
        return key(name).value(text);
    }
    JsonWriter& member(const std::string& name, std::uint64_t number) {
        return key(name).value(number);
    }

    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void newline();

    struct Level {
        bool object = false;
        bool empty = true;
    };
    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

std::string jsonString(const std::string& text);

} // namespace drvsim
