#include "ui/dialog_template.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace ui {
namespace {

struct Token {
    enum Kind { Word, Number, String, Punct } kind = Word;
    std::string text;
    long value = 0;
};

// The templates are parsed inside the programs too (their quiet runs), so
// nothing here may pull the C library's locale functions into their imports.
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isWordChar(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// A C number as strtol with base 0 reads it: 0x hexadecimal, a leading 0
// octal, else decimal, up to the first character that is no digit of its base.
long numberValue(const std::string& text) {
    std::size_t i = 0;
    unsigned base = 10;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (text.size() > 1 && text[0] == '0') {
        base = 8;
    }
    unsigned long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit = base;
        if (isDigit(c))
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        if (digit >= base || value > 0x7FFFFFFFul)
            break;
        value = value * base + digit;
    }
    return static_cast<long>(value);
}

// The text's lines, without their line feeds.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// One statement's tokens. Strings keep their text with "" and \" unescaped.
std::vector<Token> tokenize(const std::string& line) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
            break;
        } else if (c == '"') {
            Token t{Token::String, "", 0};
            ++i;
            while (i < line.size()) {
                if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                    t.text += '"';
                    i += 2;
                } else if (line[i] == '"') {
                    ++i;
                    break;
                } else if (line[i] == '\\' && i + 1 < line.size()) {
                    const char e = line[i + 1];
                    t.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
                    i += 2;
                } else {
                    t.text += line[i++];
                }
            }
            tokens.push_back(t);
        } else if (isDigit(c)) {
            std::size_t end = i;
            while (end < line.size() && isWordChar(line[end]))
                ++end;
            Token t{Token::Number, line.substr(i, end - i), 0};
            t.value = numberValue(t.text);
            tokens.push_back(t);
            i = end;
        } else if (isWordChar(c)) {
            std::size_t end = i;
            while (end < line.size() && isWordChar(line[end]))
                ++end;
            tokens.push_back({Token::Word, line.substr(i, end - i), 0});
            i = end;
        } else {
            tokens.push_back({Token::Punct, std::string(1, c), 0});
            ++i;
        }
    }
    return tokens;
}

class ScriptReader {
public:
    ScriptReader() {
        // The ids <windows.h> gives the script.
        for (const auto& [name, value] :
             std::initializer_list<std::pair<const char*, long>>{{"IDOK", 1},
                                                                 {"IDCANCEL", 2},
                                                                 {"IDABORT", 3},
                                                                 {"IDRETRY", 4},
                                                                 {"IDIGNORE", 5},
                                                                 {"IDYES", 6},
                                                                 {"IDNO", 7},
                                                                 {"IDHELP", 9},
                                                                 {"IDC_STATIC", -1}})
            numbers_[name] = value;
    }

    void readDefines(const std::string& text) {
        for (const std::string& line : linesOf(text)) {
            std::vector<Token> t = tokenize(line);
            if (t.size() >= 3 && t[0].text == "#" && t[1].text == "define" &&
                t[2].kind == Token::Word) {
                std::vector<Token> body(t.begin() + 3, t.end());
                if (auto value = evaluate(body))
                    numbers_[t[2].text] = *value;
                else
                    macros_[t[2].text] = body;
            }
        }
    }

    bool parse(const std::string& script, std::map<int, DialogTemplate>& dialogs,
               std::string& error) {
        readDefines(script);
        std::vector<std::string> lines = statements(script);
        for (std::size_t n = 0; n < lines.size(); ++n) {
            std::vector<Token> t = expand(tokenize(lines[n]));
            if (t.size() < 2 || t[0].text == "#")
                continue;
            if (t[1].kind != Token::Word || (t[1].text != "DIALOGEX" && t[1].text != "DIALOG"))
                continue;
            DialogTemplate dialog;
            const std::optional<long> id = idOf(t[0]);
            const std::vector<long> rect = numbersAfter(t, 2);
            if (!id || rect.size() < 4) {
                error = "dialog header not understood: " + lines[n];
                return false;
            }
            dialog.id = static_cast<int>(*id);
            dialog.width = static_cast<int>(rect[2]);
            dialog.height = static_cast<int>(rect[3]);
            std::size_t k = n + 1;
            for (; k < lines.size(); ++k) {
                std::vector<Token> h = expand(tokenize(lines[k]));
                if (h.empty())
                    continue;
                if (h[0].text == "BEGIN" || h[0].text == "{")
                    break;
                if (h[0].text == "CAPTION" && h.size() > 1)
                    dialog.caption = h[1].text;
                if (h[0].text == "STYLE")
                    dialog.styles = styleWords(h, 1);
            }
            for (++k; k < lines.size(); ++k) {
                std::vector<Token> c = expand(tokenize(lines[k]));
                if (c.empty())
                    continue;
                if (c[0].text == "END" || c[0].text == "}")
                    break;
                ControlTemplate control;
                if (!readControl(c, control)) {
                    error = "control not understood: " + lines[k];
                    return false;
                }
                dialog.controls.push_back(control);
            }
            if (k == lines.size()) {
                error = "dialog " + t[0].text + " has no END";
                return false;
            }
            dialogs[dialog.id] = dialog;
            n = k;
        }
        return true;
    }

private:
    // Lines joined where a statement goes on (a trailing comma or bar).
    static std::vector<std::string> statements(const std::string& script) {
        std::vector<std::string> out;
        std::string pending;
        for (std::string line : linesOf(script)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            pending += (pending.empty() ? "" : " ") + line;
            std::size_t end = pending.find_last_not_of(" \t");
            if (end != std::string::npos && (pending[end] == ',' || pending[end] == '|'))
                continue;
            out.push_back(pending);
            pending.clear();
        }
        if (!pending.empty())
            out.push_back(pending);
        return out;
    }

    std::vector<Token> expand(const std::vector<Token>& tokens, int depth = 0) const {
        std::vector<Token> out;
        for (const Token& t : tokens) {
            auto macro = macros_.find(t.text);
            if (t.kind == Token::Word && depth < 8 && macro != macros_.end()) {
                std::vector<Token> inner = expand(macro->second, depth + 1);
                out.insert(out.end(), inner.begin(), inner.end());
            } else {
                out.push_back(t);
            }
        }
        return out;
    }

    // A constant expression of numbers, known names, parentheses, unary minus and |.
    std::optional<long> evaluate(const std::vector<Token>& tokens) const {
        long result = 0;
        long sign = 1;
        bool any = false;
        for (const Token& t : tokens) {
            if (t.kind == Token::Punct && (t.text == "(" || t.text == ")"))
                continue;
            if (t.kind == Token::Punct && t.text == "-") {
                sign = -sign;
                continue;
            }
            if (t.kind == Token::Punct && t.text == "|")
                continue;
            std::optional<long> v;
            if (t.kind == Token::Number)
                v = t.value;
            else if (t.kind == Token::Word && numbers_.count(t.text))
                v = numbers_.at(t.text);
            if (!v)
                return std::nullopt;
            result |= sign * *v;
            sign = 1;
            any = true;
        }
        return any ? std::optional<long>(result) : std::nullopt;
    }

    std::optional<long> idOf(const Token& t) const {
        if (t.kind == Token::Number)
            return t.value;
        auto it = numbers_.find(t.text);
        return it == numbers_.end() ? std::nullopt : std::optional<long>(it->second);
    }

    // The numbers of a comma-separated list from `from` on (identifiers with a
    // known value count, a leading minus applies).
    std::vector<long> numbersAfter(const std::vector<Token>& t, std::size_t from) const {
        std::vector<long> out;
        long sign = 1;
        for (std::size_t i = from; i < t.size(); ++i) {
            if (t[i].kind == Token::Punct && t[i].text == "-") {
                sign = -1;
            } else if (std::optional<long> v = idOf(t[i]);
                       v && (t[i].kind == Token::Number || t[i].kind == Token::Word)) {
                out.push_back(sign * *v);
                sign = 1;
            }
        }
        return out;
    }

    // Style words joined by |, with the NOT-ed ones in `removed`.
    static std::vector<std::string> styleWords(const std::vector<Token>& t, std::size_t from,
                                               std::set<std::string>* removed = nullptr) {
        std::vector<std::string> words;
        bool negate = false;
        for (std::size_t i = from; i < t.size(); ++i) {
            if (t[i].kind == Token::Punct && t[i].text == ",")
                break;
            if (t[i].kind != Token::Word)
                continue;
            if (t[i].text == "NOT") {
                negate = true;
                continue;
            }
            if (negate) {
                if (removed)
                    removed->insert(t[i].text);
            } else {
                words.push_back(t[i].text);
            }
            negate = false;
        }
        return words;
    }

    // The comma-separated fields of a control statement after its keyword.
    static std::vector<std::vector<Token>> fields(const std::vector<Token>& t) {
        std::vector<std::vector<Token>> out(1);
        for (std::size_t i = 1; i < t.size(); ++i) {
            if (t[i].kind == Token::Punct && t[i].text == ",")
                out.emplace_back();
            else
                out.back().push_back(t[i]);
        }
        return out;
    }

    static ControlKind kindOfClass(const std::string& cls) {
        std::string c = cls;
        std::transform(c.begin(), c.end(), c.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        if (c == "button")
            return ControlKind::PushButton;
        if (c == "static")
            return ControlKind::Static;
        if (c == "edit")
            return ControlKind::Edit;
        if (c == "combobox")
            return ControlKind::ComboBox;
        if (c == "listbox")
            return ControlKind::ListBox;
        if (c == "syslistview32" || c == "wc_listview")
            return ControlKind::ListView;
        if (c == "systreeview32" || c == "wc_treeview")
            return ControlKind::TreeView;
        if (c == "msctls_trackbar32" || c == "trackbar_class")
            return ControlKind::TrackBar;
        if (c == "msctls_updown32" || c == "updown_class")
            return ControlKind::UpDown;
        if (c == "msctls_progress32" || c == "progress_class")
            return ControlKind::Progress;
        if (c == "sysipaddress32" || c == "wc_ipaddress")
            return ControlKind::IpAddress;
        return ControlKind::Other;
    }

    bool readControl(const std::vector<Token>& t, ControlTemplate& c) const {
        const std::string keyword = t[0].text;
        std::vector<std::vector<Token>> f = fields(t);
        auto number = [&](std::size_t i) -> std::optional<long> {
            if (i >= f.size())
                return std::nullopt;
            return evaluate(f[i]);
        };
        std::size_t idField = 1, rectField = 2, styleField = 6;
        std::string cls;
        if (keyword == "CONTROL") {
            // CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
            if (f.size() < 8 || f[2].empty())
                return false;
            c.text = f[0].empty() ? "" : f[0][0].text;
            cls = f[2][0].text;
            styleField = 3;
            rectField = 4;
        } else if (keyword == "EDITTEXT" || keyword == "COMBOBOX" || keyword == "LISTBOX" ||
                   keyword == "SCROLLBAR") {
            // KEYWORD id, x, y, cx, cy [, style]
            idField = 0;
            rectField = 1;
            styleField = 5;
        } else if (keyword == "ICON") {
            // ICON icon, id, x, y [, cx, cy, style]
            rectField = 2;
            styleField = 6;
        } else {
            static const std::set<std::string> textControls = {
                "LTEXT",    "RTEXT",      "CTEXT",        "PUSHBUTTON",  "DEFPUSHBUTTON",
                "GROUPBOX", "CHECKBOX",   "AUTOCHECKBOX", "RADIOBUTTON", "AUTORADIOBUTTON",
                "STATE3",   "AUTO3STATE", "PUSHBOX"};
            if (!textControls.count(keyword))
                return false;
            c.text = f[0].empty() ? "" : f[0][0].text;
        }
        const std::optional<long> id = number(idField);
        if (!id)
            return false;
        c.id = static_cast<int>(*id);
        c.x = static_cast<int>(number(rectField).value_or(0));
        c.y = static_cast<int>(number(rectField + 1).value_or(0));
        c.width = static_cast<int>(number(rectField + 2).value_or(0));
        c.height = static_cast<int>(number(rectField + 3).value_or(0));

        std::set<std::string> removed;
        std::vector<std::string> styles;
        if (styleField < f.size()) {
            std::vector<Token> styleTokens = f[styleField];
            styleTokens.insert(styleTokens.begin(), Token{Token::Punct, "|", 0});
            styles = styleWords(styleTokens, 0, &removed);
        }
        auto has = [&](const char* s) {
            return std::find(styles.begin(), styles.end(), s) != styles.end();
        };

        if (keyword == "CONTROL") {
            c.kind = kindOfClass(cls);
            if (c.kind == ControlKind::PushButton) {
                if (has("BS_AUTORADIOBUTTON") || has("BS_RADIOBUTTON"))
                    c.kind = ControlKind::RadioButton;
                else if (has("BS_AUTOCHECKBOX") || has("BS_CHECKBOX") || has("BS_3STATE") ||
                         has("BS_AUTO3STATE"))
                    c.kind = ControlKind::CheckBox;
                else if (has("BS_GROUPBOX"))
                    c.kind = ControlKind::GroupBox;
                c.autoCheck =
                    has("BS_AUTORADIOBUTTON") || has("BS_AUTOCHECKBOX") || has("BS_AUTO3STATE");
                c.defaultButton = has("BS_DEFPUSHBUTTON");
            }
            if (c.kind == ControlKind::Static &&
                (has("SS_BITMAP") || has("SS_ICON") || has("SS_BLACKFRAME") ||
                 has("SS_WHITEFRAME") || has("SS_GRAYFRAME") || has("SS_ETCHEDFRAME") ||
                 has("SS_OWNERDRAW")))
                c.kind = ControlKind::Picture;
        } else if (keyword == "EDITTEXT") {
            c.kind = ControlKind::Edit;
        } else if (keyword == "COMBOBOX") {
            c.kind = ControlKind::ComboBox;
        } else if (keyword == "LISTBOX") {
            c.kind = ControlKind::ListBox;
            c.sorted = has("LBS_SORT") || has("LBS_STANDARD");
        } else if (keyword == "ICON") {
            c.kind = ControlKind::Picture;
        } else if (keyword == "LTEXT" || keyword == "RTEXT" || keyword == "CTEXT") {
            c.kind = ControlKind::Static;
        } else if (keyword == "GROUPBOX") {
            c.kind = ControlKind::GroupBox;
        } else if (keyword == "PUSHBUTTON" || keyword == "DEFPUSHBUTTON" || keyword == "PUSHBOX") {
            c.kind = ControlKind::PushButton;
            c.defaultButton = keyword == "DEFPUSHBUTTON";
        } else if (keyword == "CHECKBOX" || keyword == "AUTOCHECKBOX" || keyword == "STATE3" ||
                   keyword == "AUTO3STATE") {
            c.kind = ControlKind::CheckBox;
            c.autoCheck = keyword == "AUTOCHECKBOX" || keyword == "AUTO3STATE";
        } else if (keyword == "RADIOBUTTON" || keyword == "AUTORADIOBUTTON") {
            c.kind = ControlKind::RadioButton;
            c.autoCheck = keyword == "AUTORADIOBUTTON";
        }
        if (c.kind == ControlKind::ComboBox) {
            c.sorted = has("CBS_SORT");
            c.editable = has("CBS_DROPDOWN") || has("CBS_SIMPLE");
        }
        c.visible = !removed.count("WS_VISIBLE");
        c.enabled = !has("WS_DISABLED");
        c.group = has("WS_GROUP");
        c.readOnly = has("ES_READONLY");
        return true;
    }

    std::map<std::string, long> numbers_;
    std::map<std::string, std::vector<Token>> macros_;
};

} // namespace

const ControlTemplate* DialogTemplate::control(int controlId) const {
    for (const ControlTemplate& c : controls) {
        if (c.id == controlId)
            return &c;
    }
    return nullptr;
}

bool DialogTemplate::hasStyle(const std::string& style) const {
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

std::optional<TemplateSet> TemplateSet::parse(const std::string& script,
                                              const std::vector<std::string>& headers,
                                              std::string& error) {
    ScriptReader reader;
    for (const std::string& header : headers)
        reader.readDefines(header);
    TemplateSet set;
    if (!reader.parse(script, set.dialogs_, error))
        return std::nullopt;
    return set;
}

const DialogTemplate* TemplateSet::find(int templateId) const {
    auto it = dialogs_.find(templateId);
    return it == dialogs_.end() ? nullptr : &it->second;
}

TemplateSet builtInTemplates(const std::vector<std::string_view>& texts) {
    std::vector<std::string> headers;
    for (std::size_t i = 1; i < texts.size(); ++i)
        headers.emplace_back(texts[i]);
    std::string error;
    std::optional<TemplateSet> set =
        TemplateSet::parse(texts.empty() ? std::string() : std::string(texts[0]), headers, error);
    if (!set) {
        // fputs, not fprintf: the programs' imports hold no locking printf.
        std::fputs(("dialog templates: " + error + "\n").c_str(), stderr);
        std::abort();
    }
    return *set;
}

} // namespace ui
