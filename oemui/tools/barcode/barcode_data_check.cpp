#include "oemui/tools/barcode/barcode_data_check.h"

#include <cstdio>

namespace barcode {
namespace {

DataCheck refuse(DataProblem problem, std::size_t at = 0) {
    DataCheck check;
    check.problem = problem;
    check.at = at;
    return check;
}

bool isDigit(std::uint8_t b) {
    return b >= '0' && b <= '9';
}

std::string byteText(std::uint8_t b) {
    char text[16];
    if (b >= 0x20 && b < 0x7F) {
        std::snprintf(text, sizeof text, "\"%c\" (%02X)", static_cast<char>(b), b);
    } else {
        std::snprintf(text, sizeof text, "%02X", b);
    }
    return text;
}

} // namespace

DataCheck checkData(const DataRule& rule, const Bytes& data) {
    const std::size_t n = data.size();
    if (n < rule.minimumLength || n > rule.maximumLength) {
        return refuse(DataProblem::Length);
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!rule.allowed.has(data[i])) {
            return refuse(DataProblem::Byte, i);
        }
    }
    if (!rule.first.empty() && !rule.first.has(data.front())) {
        return refuse(DataProblem::FirstByte, 0);
    }
    if (!rule.last.empty() && !rule.last.has(data.back())) {
        return refuse(DataProblem::LastByte, n - 1);
    }
    if (rule.code128) {
        if (data[0] != '{' || data[1] < 'A' || data[1] > 'C') {
            return refuse(DataProblem::Code128Start);
        }
        return rewriteCode128(data);
    }
    DataCheck passed;
    passed.bytes = data;
    return passed;
}

DataCheck rewriteCode128(const Bytes& data) {
    DataCheck result;
    Bytes& out = result.bytes;
    out.reserve(data.size());
    bool setC = false;
    std::size_t i = 0;
    while (i < data.size()) {
        if (data[i] == '{') {
            out.push_back(data[i++]);
            if (i < data.size()) {
                const std::uint8_t escape = data[i++];
                out.push_back(escape);
                if (escape == 'C') {
                    setC = true;
                } else if (escape == 'A' || escape == 'B') {
                    setC = false;
                }
            }
            continue;
        }
        if (!setC) {
            out.push_back(data[i++]);
            continue;
        }
        // Two digits make one byte; a digit without its partner before the next
        // escape or the end cannot be encoded.
        if (!isDigit(data[i])) {
            return refuse(DataProblem::Code128Digits, i);
        }
        if (i + 1 >= data.size() || !isDigit(data[i + 1])) {
            return refuse(DataProblem::Code128Digits, i + 1 < data.size() ? i + 1 : i);
        }
        out.push_back(static_cast<std::uint8_t>((data[i] - '0') * 10 + (data[i + 1] - '0')));
        i += 2;
    }
    return result;
}

std::string describeProblem(const DataCheck& check, const DataRule& rule, const char* name,
                            const Bytes& data) {
    const std::string symbology = name;
    const std::string at = check.at < data.size() ? byteText(data[check.at]) : "";
    const std::string position = "byte " + std::to_string(check.at + 1) + " " + at;
    switch (check.problem) {
    case DataProblem::None:
        return {};
    case DataProblem::Length:
        return symbology + " takes " + std::to_string(rule.minimumLength) + " to " +
               std::to_string(rule.maximumLength) + " bytes, not " + std::to_string(data.size());
    case DataProblem::Byte:
        return position + " is not allowed in " + symbology;
    case DataProblem::FirstByte:
        return symbology + " data cannot start with " + at;
    case DataProblem::LastByte:
        return symbology + " data cannot end with " + at;
    case DataProblem::Code128Start:
        return "Code128 data starts with \"{A\", \"{B\" or \"{C\"";
    case DataProblem::Code128Digits:
        return position + ": code set C takes pairs of digits";
    }
    return {};
}

} // namespace barcode
