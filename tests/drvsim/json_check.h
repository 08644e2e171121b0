// A strict reader of JSON text for tests: tells whether a text is one valid
// JSON value, and finds members by path.
#pragma once

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace drvsimtest {

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    std::string text; // strings (escapes decoded to bytes), numbers as written
    bool flag = false;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> members;

    const Json* member(const std::string& name) const {
        for (const auto& [key, value] : members) {
            if (key == name)
                return &value;
        }
        return nullptr;
    }
    const Json& operator[](const std::string& name) const {
        static const Json none;
        const Json* m = member(name);
        return m == nullptr ? none : *m;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& text) : t_(text) {}

    bool read(Json& out) {
        if (!value(out))
            return false;
        space();
        return p_ == t_.size();
    }

private:
    void space() {
        while (p_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[p_])))
            ++p_;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (t_.compare(p_, w.size(), w) != 0)
            return false;
        p_ += w.size();
        return true;
    }
    bool string(std::string& out) {
        if (p_ >= t_.size() || t_[p_] != '"')
            return false;
        ++p_;
        while (p_ < t_.size() && t_[p_] != '"') {
            const unsigned char c = static_cast<unsigned char>(t_[p_]);
            if (c < 0x20 || c >= 0x7F)
                return false; // the writer escapes these
            if (c != '\\') {
                out += t_[p_++];
                continue;
            }
            if (++p_ >= t_.size())
                return false;
            const char e = t_[p_++];
            const std::string simple = "\"\\/bfnrt", meant = "\"\\/\b\f\n\r\t";
            if (simple.find(e) != std::string::npos) {
                out += meant[simple.find(e)];
            } else if (e == 'u' && p_ + 4 <= t_.size()) {
                const unsigned long code = std::stoul(t_.substr(p_, 4), nullptr, 16);
                if (code > 0xFF)
                    return false;
                out += static_cast<char>(code);
                p_ += 4;
            } else {
                return false;
            }
        }
        if (p_ >= t_.size())
            return false;
        ++p_;
        return true;
    }
    bool value(Json& out) {
        space();
        if (p_ >= t_.size())
            return false;
        const char c = t_[p_];
        if (c == '{') {
            out.kind = Json::Kind::Object;
            ++p_;
            space();
            if (p_ < t_.size() && t_[p_] == '}')
                return ++p_, true;
            for (;;) {
                space();
                std::string key;
                if (!string(key))
                    return false;
                space();
                if (p_ >= t_.size() || t_[p_++] != ':')
                    return false;
                Json v;
                if (!value(v))
                    return false;
                out.members.emplace_back(key, v);
                space();
                if (p_ < t_.size() && t_[p_] == ',') {
                    ++p_;
                    continue;
                }
                return p_ < t_.size() && t_[p_++] == '}';
            }
        }
        if (c == '[') {
            out.kind = Json::Kind::Array;
            ++p_;
            space();
            if (p_ < t_.size() && t_[p_] == ']')
                return ++p_, true;
            for (;;) {
                Json v;
                if (!value(v))
                    return false;
                out.items.push_back(v);
                space();
                if (p_ < t_.size() && t_[p_] == ',') {
                    ++p_;
                    continue;
                }
                return p_ < t_.size() && t_[p_++] == ']';
            }
        }
        if (c == '"') {
            out.kind = Json::Kind::String;
            return string(out.text);
        }
        if (literal("true") || literal("false")) {
            out.kind = Json::Kind::Bool;
            out.flag = t_[p_ - 1] == 'e' && t_[p_ - 2] == 'u';
            return true;
        }
        if (literal("null"))
            return true;
        const std::size_t start = p_;
        while (p_ < t_.size() &&
               (std::isdigit(static_cast<unsigned char>(t_[p_])) || t_[p_] == '-'))
            ++p_;
        out.kind = Json::Kind::Number;
        out.text = t_.substr(start, p_ - start);
        return p_ > start;
    }

    const std::string& t_;
    std::size_t p_ = 0;
};

} // namespace drvsimtest
