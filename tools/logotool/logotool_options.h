#pragma once

#include <optional>
#include <string>
#include <vector>

#include "oemui/tools/logo_jobs.h"

namespace logotool {

enum class Command { Help, Convert, Job, Clear, Preview };

struct Options {
    Command command = Command::Help;
    logo::LogoMode mode = logo::LogoMode::Transformation;
    std::optional<int> halftone; // Transformation mode's "Dither M3" when not given
    int contrast = 0;
    int brightness = 0;
    std::optional<std::string> out; // convert: beside the picture; job, clear: standard output
    std::vector<std::string> files;
};

struct ParsedArguments {
    bool ok = false;
    std::string error; // what is wrong with the command line
    Options options;
};

// The picture formats preview writes, told by the file name's extension.
enum class PictureFormat { Png, Bmp };
std::optional<PictureFormat> pictureFormatOf(const std::string& path);

// The arguments after the program name.
ParsedArguments parseArguments(const std::vector<std::string>& args);

extern const char kUsage[];

} // namespace logotool
