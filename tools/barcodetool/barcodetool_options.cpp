#include "tools/barcodetool/barcodetool_options.h"

#include <cctype>
#include <map>

namespace barcodetool {

const char kUsage[] =
    "usage: barcodetool check --font {1d|2d} --symbology N (--data TEXT | --data-hex HEX)\n"
    "       barcodetool print --font {1d|2d} --symbology N [field options]\n"
    "                         (--data TEXT | --data-hex HEX) --out FILE\n"
    "       barcodetool fontsize --bar-height N --hri-position N --hri-font N\n"
    "Symbologies: 1d 0 UPC-A, 1 UPC-E, 2 EAN8, 3 EAN13, 4 Code39, 5 ITF, 6 Codabar,\n"
    "  7 Code93, 8 Code128, 9 GS1 DataBar Omnidirectional, 10 Truncated, 11 Limited,\n"
    "  12 Expanded; 2d 0 PDF417, 1 GS1 DataBar Stacked, 2 Stacked Omnidirectional,\n"
    "  3 Expanded Stacked, 4 QR Code, 5 Maxi Code.\n"
    "Field options take the value the settings record stores (defaults: the first font):\n"
    "  1d: --module-width 2-6 --bar-height 1-255 --hri-position 0-3 --hri-font 0-1\n"
    "  2d: --pdf-module-width 1-7 --pdf-row-height 2-25 --pdf-columns 1-30 --pdf-rows 3-90\n"
    "      --pdf-error-level 0-8 --gs1-segments 2-20 --qr-module-width 1-24\n"
    "      --qr-language 0-1 --qr-model 1-2 --qr-error-level 0-3\n"
    "  both: --gs1-module-width 1-6 --gs1-row-height 2-250 --gs1-row2d-height 1-10\n"
    "      --gs1-separator-height 1-10 --gs1-hri 1-4 --gs1-apply-ai 0-1\n"
    "check prints the data bytes the job carries, in hexadecimal; print writes the whole\n"
    "job to FILE; fontsize prints the fontSize to store and the page's mm and point texts.\n"
    "Exit status: 0 done, 1 data refused (with the page's message), 2 bad usage.\n";

namespace {

using Values = std::map<std::string, std::string>; // option name without "--" -> value

ParsedArguments refuse(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

// Decimal digits only, inside [minimum, maximum].
bool parseNumber(const std::string& text, std::uint32_t minimum, std::uint32_t maximum,
                 std::uint32_t& value) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v < minimum || v > maximum) {
        return false;
    }
    value = static_cast<std::uint32_t>(v);
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Pairs of hexadecimal digits; blanks may separate the bytes.
bool parseHex(const std::string& text, barcode::Bytes& bytes) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || hexDigit(text[i]) < 0 || hexDigit(text[i + 1]) < 0) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(hexDigit(text[i]) * 16 + hexDigit(text[i + 1])));
        i += 2;
    }
    return true;
}

template <typename Block, std::size_t N>
const barcode::Field<Block>* findField(const std::array<barcode::Field<Block>, N>& fields,
                                       const std::string& name) {
    for (const auto& f : fields) {
        if (name == f.name) {
            return &f;
        }
    }
    return nullptr;
}

bool isFieldOption(const std::string& name) {
    return name != "symbology" && (findField(barcode::fields1D(), name) != nullptr ||
                                   findField(barcode::fields2D(), name) != nullptr);
}

std::string rangeError(const std::string& name, std::uint32_t minimum, std::uint32_t maximum,
                       const std::string& value) {
    return "--" + name + " takes a whole number from " + std::to_string(minimum) + " to " +
           std::to_string(maximum) + ", not '" + value + "'";
}

// Applies the field options given to `block`; symbology is taken from --symbology.
template <typename Block, std::size_t N>
std::string applyFields(const std::array<barcode::Field<Block>, N>& fields, const Values& values,
                        const char* otherFont, Block& block) {
    for (const auto& [name, value] : values) {
        if (!isFieldOption(name) && name != "symbology") {
            continue;
        }
        const barcode::Field<Block>* f = findField(fields, name);
        if (f == nullptr) {
            return "--" + name + " applies to --font " + otherFont;
        }
        std::uint32_t v = 0;
        if (!parseNumber(value, f->minimum, f->maximum, v)) {
            return rangeError(name, f->minimum, f->maximum, value);
        }
        f->set(block, v);
    }
    return {};
}

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    if (args.empty()) {
        return refuse("no command given");
    }
    ParsedArguments parsed;
    Options& options = parsed.options;
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        parsed.ok = true;
        return parsed;
    }
    if (command == "check") {
        options.command = Command::Check;
    } else if (command == "print") {
        options.command = Command::Print;
    } else if (command == "fontsize") {
        options.command = Command::FontSize;
    } else {
        return refuse("unknown command '" + command + "'");
    }

    Values values;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            options.command = Command::Help;
            parsed.ok = true;
            return parsed;
        }
        const std::string name =
            arg.size() > 2 && arg.compare(0, 2, "--") == 0 ? arg.substr(2) : "";
        const bool known = name == "font" || name == "symbology" || name == "data" ||
                           name == "data-hex" || name == "out" || isFieldOption(name);
        if (!known) {
            return refuse(arg.empty() || arg[0] != '-' ? "unexpected argument '" + arg + "'"
                                                       : "unknown option '" + arg + "'");
        }
        if (i + 1 == args.size()) {
            return refuse(arg + " needs a value");
        }
        if (!values.emplace(name, args[++i]).second) {
            return refuse(arg + " given twice");
        }
    }
    auto given = [&](const char* name) { return values.count(name) != 0; };

    options.block1D = barcode::firstDefault1D();
    options.block2D = barcode::firstDefault2D();
    if (options.command == Command::FontSize) {
        for (const auto& [name, value] : values) {
            if (name != "bar-height" && name != "hri-position" && name != "hri-font") {
                return refuse("fontsize takes --bar-height, --hri-position and --hri-font only");
            }
        }
        for (const char* name : {"bar-height", "hri-position", "hri-font"}) {
            if (!given(name)) {
                return refuse(std::string("--") + name + " is required");
            }
        }
        const std::string error = applyFields(barcode::fields1D(), values, "2d", options.block1D);
        if (!error.empty()) {
            return refuse(error);
        }
        parsed.ok = true;
        return parsed;
    }

    if (!given("font")) {
        return refuse("--font is required");
    }
    if (!given("symbology")) {
        return refuse("--symbology is required");
    }
    if (given("data") == given("data-hex")) {
        return refuse("give the data with either --data or --data-hex");
    }
    if (options.command == Command::Check) {
        for (const auto& [name, value] : values) {
            if (isFieldOption(name) || name == "out") {
                return refuse("check takes no --" + name + ": it checks the data only");
            }
        }
    } else {
        if (!given("out") || values["out"].empty()) {
            return refuse("print needs --out FILE");
        }
        options.out = values["out"];
    }
    const std::string& font = values["font"];
    if (font != "1d" && font != "2d") {
        return refuse("--font takes 1d or 2d, not '" + font + "'");
    }
    options.font = font == "1d" ? FontKind::OneD : FontKind::TwoD;
    const std::string error = options.font == FontKind::OneD
                                  ? applyFields(barcode::fields1D(), values, "2d", options.block1D)
                                  : applyFields(barcode::fields2D(), values, "1d", options.block2D);
    if (!error.empty()) {
        return refuse(error);
    }
    options.symbology =
        options.font == FontKind::OneD ? options.block1D.symbology : options.block2D.symbology;
    if (given("data")) {
        const std::string& text = values["data"];
        options.data.assign(text.begin(), text.end());
    } else if (!parseHex(values["data-hex"], options.data)) {
        return refuse("--data-hex takes pairs of hexadecimal digits, not '" + values["data-hex"] +
                      "'");
    }
    parsed.ok = true;
    return parsed;
}

} // namespace barcodetool
