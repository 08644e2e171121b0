// barcodetool's command line.
#pragma once

#include "oemui/tools/barcode/barcode_data_check.h"
#include "oemui/tools/barcode/barcode_fields.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace barcodetool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

enum class Command { Help, Check, Print, FontSize };
enum class FontKind { OneD, TwoD };

struct Options {
    Command command = Command::Help;
    FontKind font = FontKind::OneD;
    std::uint32_t symbology = 0;
    barcode::Bytes data;
    std::string out;
    // print: the blocks the job is made from, defaults of the first font with
    // the field options applied; fontsize: the 1D block's bar height and HRI.
    barcode::Block1D block1D;
    barcode::Block2D block2D;
};

struct ParsedArguments {
    bool ok = false;
    std::string error; // what is wrong with the command line
    Options options;
};

// The arguments after the program name.
ParsedArguments parseArguments(const std::vector<std::string>& args);

extern const char kUsage[];

} // namespace barcodetool
