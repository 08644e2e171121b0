#include "tools/logotool/logotool_options.h"

#include <cstddef>

#include "oemui/tools/logo_settings.h"

namespace logotool {

const char kUsage[] =
    "usage: logotool convert --mode {mono|gray} [--halftone {none|m3|m4|diffuse}]\n"
    "                        [--contrast N] [--brightness N] [--out FILE] LOGO.bmp\n"
    "       logotool job --mode {mono|gray} [--halftone {none|m3|m4|diffuse}]\n"
    "                    [--contrast N] [--brightness N] [--out FILE] LOGO.bmp...\n"
    "       logotool clear [--out FILE]\n"
    "       logotool preview --out PICTURE.{png|bmp} JOB\n"
    "N is -100..100. convert writes the work bitmap beside LOGO (LOGOTemp.bmp) or to\n"
    "FILE and prints its path; job and clear write the printer job's bytes to FILE or\n"
    "to standard output; preview draws what the printer prints for a job of logos.\n";

namespace {

ParsedArguments refuse(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

// Optional sign and decimal digits only, within the sliders' range.
bool parseAdjustment(const std::string& text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return false;
    }
    int magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > logo::kMaxAdjustment) {
            return false;
        }
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool parseHalftone(const std::string& text, int& halftone) {
    static const struct {
        const char* name;
        int value;
    } kNames[] = {{"none", logo::kHalftoneNone},
                  {"m3", logo::kHalftoneDitherM3},
                  {"m4", logo::kHalftoneDitherM4},
                  {"diffuse", logo::kHalftoneErrorDiffuse}};
    for (const auto& entry : kNames) {
        if (text == entry.name) {
            halftone = entry.value;
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(const std::string& path) {
    auto endsWith = [&](const char* ext) {
        const std::size_t n = 4;
        if (path.size() <= n) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            const char c = path[path.size() - n + i];
            if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != ext[i]) {
                return false;
            }
        }
        return true;
    };
    if (endsWith(".png")) {
        return PictureFormat::Png;
    }
    if (endsWith(".bmp")) {
        return PictureFormat::Bmp;
    }
    return std::nullopt;
}

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
    if (command == "convert") {
        options.command = Command::Convert;
    } else if (command == "job") {
        options.command = Command::Job;
    } else if (command == "clear") {
        options.command = Command::Clear;
    } else if (command == "preview") {
        options.command = Command::Preview;
    } else {
        return refuse("unknown command '" + command + "'");
    }

    bool haveMode = false;
    bool haveContrast = false;
    bool haveBrightness = false;
    bool onlyFiles = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyFiles || arg.size() < 2 || arg[0] != '-') {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyFiles = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.command = Command::Help;
            parsed.ok = true;
            return parsed;
        }
        if (arg != "--mode" && arg != "--halftone" && arg != "--contrast" &&
            arg != "--brightness" && arg != "--out") {
            return refuse("unknown option '" + arg + "'");
        }
        if (i + 1 == args.size()) {
            return refuse(arg + " needs a value");
        }
        const std::string& value = args[++i];
        if (arg == "--mode") {
            if (haveMode) {
                return refuse("--mode given twice");
            }
            haveMode = true;
            if (value == "mono") {
                options.mode = logo::LogoMode::Transformation;
            } else if (value == "gray") {
                options.mode = logo::LogoMode::Gray;
            } else {
                return refuse("--mode takes mono or gray, not '" + value + "'");
            }
        } else if (arg == "--halftone") {
            int halftone = 0;
            if (options.halftone || !parseHalftone(value, halftone)) {
                return refuse(options.halftone ? "--halftone given twice"
                                               : "--halftone takes none, m3, m4 or diffuse, not '" +
                                                     value + "'");
            }
            options.halftone = halftone;
        } else if (arg == "--contrast" || arg == "--brightness") {
            bool& seen = arg == "--contrast" ? haveContrast : haveBrightness;
            int& target = arg == "--contrast" ? options.contrast : options.brightness;
            if (seen) {
                return refuse(arg + " given twice");
            }
            seen = true;
            if (!parseAdjustment(value, target)) {
                return refuse(arg + " takes a whole number from -100 to 100, not '" + value + "'");
            }
        } else {
            if (options.out) {
                return refuse("--out given twice");
            }
            if (value.empty()) {
                return refuse("--out needs a file name");
            }
            options.out = value;
        }
    }

    switch (options.command) {
    case Command::Preview:
        if (haveMode || options.halftone || haveContrast || haveBrightness) {
            return refuse("preview takes no conversion options");
        }
        if (!options.out || !pictureFormatOf(*options.out)) {
            return refuse("preview needs --out with a .png or .bmp file name");
        }
        if (options.files.size() != 1) {
            return refuse("preview takes exactly one job file");
        }
        break;
    case Command::Clear:
        if (haveMode || options.halftone || haveContrast || haveBrightness) {
            return refuse("clear takes no conversion options");
        }
        if (!options.files.empty()) {
            return refuse("clear takes no files");
        }
        break;
    case Command::Convert:
    case Command::Job:
        if (!haveMode) {
            return refuse("--mode is required");
        }
        if (options.halftone && options.mode == logo::LogoMode::Gray) {
            return refuse("--halftone applies to --mode mono only");
        }
        if (options.command == Command::Convert) {
            if (options.files.size() != 1) {
                return refuse("convert takes exactly one file");
            }
        } else if (options.files.empty()) {
            return refuse("job needs at least one logo file");
        }
        break;
    case Command::Help:
        break;
    }
    parsed.ok = true;
    return parsed;
}

} // namespace logotool
