#include "tools/barcodetool/barcodetool_commands.h"

#include "oemui/tools/barcode/barcode_font_size.h"
#include "oemui/tools/barcode/barcode_jobs.h"
#include "oemui/tools/barcode/barcode_texts.h"

#include <string>

namespace barcodetool {
namespace {

// The pages' texts are plain ASCII.
std::string narrow(const char16_t* text) {
    std::string out;
    for (; *text != 0; ++text) {
        out.push_back(static_cast<char>(*text));
    }
    return out;
}

int refused(std::FILE* err, const char16_t* message, const std::string& why) {
    std::string text = narrow(message);
    text.erase(0, text.find_first_not_of(' '));
    std::fprintf(err, "barcodetool: %s\n", text.c_str());
    if (!why.empty()) {
        std::fprintf(err, "barcodetool: %s\n", why.c_str());
    }
    return kExitRefused;
}

// The data check of the page, with the reason for people who cannot see it.
bool checked(const Options& options, barcode::DataCheck& check, std::FILE* err) {
    const bool oneD = options.font == FontKind::OneD;
    check = oneD ? barcode::check1D(options.symbology, options.data)
                 : barcode::check2D(options.symbology, options.data);
    if (check.passed()) {
        return true;
    }
    const barcode::DataRule& rule = oneD ? barcode::symbology1D(options.symbology).rule
                                         : barcode::symbology2D(options.symbology).rule;
    const char* name = oneD ? barcode::symbology1D(options.symbology).name
                            : barcode::symbology2D(options.symbology).name;
    refused(err, barcode::textDataError, barcode::describeProblem(check, rule, name, options.data));
    return false;
}

int runCheck(const Options& options, std::FILE* out, std::FILE* err) {
    barcode::DataCheck check;
    if (!checked(options, check, err)) {
        return kExitRefused;
    }
    std::string hex;
    for (std::uint8_t b : check.bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", b);
        hex += (hex.empty() ? "" : " ") + std::string(pair);
    }
    std::fprintf(out, "%s\n", hex.c_str());
    return kExitOk;
}

int runPrint(const Options& options, std::FILE* err) {
    barcode::DataCheck check;
    if (!checked(options, check, err)) {
        return kExitRefused;
    }
    barcode::Pieces pieces;
    if (options.font == FontKind::OneD) {
        pieces = barcode::testPrint1D(options.block1D, check.bytes);
    } else {
        const barcode::TestPrint2D job = barcode::testPrint2D(options.block2D, check.bytes);
        if (job.refused) {
            return refused(err, barcode::textQrLevelError, "");
        }
        pieces = job.pieces;
    }
    const barcode::Bytes bytes = barcode::joinPieces(pieces);
    std::FILE* file = std::fopen(options.out.c_str(), "wb");
    bool written =
        file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = file != nullptr && std::fclose(file) == 0 && written;
    if (!written) {
        std::remove(options.out.c_str());
        std::fprintf(err, "barcodetool: %s cannot be written\n", options.out.c_str());
        return kExitRefused;
    }
    return kExitOk;
}

int runFontSize(const Options& options, std::FILE* out) {
    const barcode::Block1D& b = options.block1D;
    const std::uint32_t size = barcode::fontSize(b.barHeight, b.hriPosition, b.hriFont);
    std::fprintf(out, "%u\n%s mm\n%s point\n", static_cast<unsigned>(size),
                 barcode::fontSizeMillimetres(size).c_str(), barcode::fontSizePoints(size).c_str());
    return kExitOk;
}

} // namespace

int runCommand(const Options& options, std::FILE* out, std::FILE* err) {
    switch (options.command) {
    case Command::Help:
        std::fputs(kUsage, out);
        return kExitOk;
    case Command::Check:
        return runCheck(options, out, err);
    case Command::Print:
        return runPrint(options, err);
    case Command::FontSize:
        return runFontSize(options, out);
    }
    return kExitUsage;
}

} // namespace barcodetool
