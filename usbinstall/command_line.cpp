#include "usbinstall/command_line.h"

namespace usbinstall {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A decimal number written at the start of text, kept from overflowing: past
// `ceiling` the value sticks at ceiling + 1, which no caller accepts.
long leadingNumber(const std::string& text, std::size_t pos, bool allowMinus, long ceiling) {
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || (allowMinus && text[pos] == '-'))) {
        negative = text[pos] == '-';
        ++pos;
    }
    long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > ceiling)
            value = ceiling + 1;
    }
    return negative ? -value : value;
}

} // namespace

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> args;
    std::size_t pos = 0;
    const std::size_t n = commandLine.size();

    // The program's name knows no escapes: quotes only group.
    std::string program;
    bool quoted = false;
    for (; pos < n && (quoted || !isBlank(commandLine[pos])); ++pos) {
        if (commandLine[pos] == '"')
            quoted = !quoted;
        else
            program += commandLine[pos];
    }
    args.push_back(program);

    for (;;) {
        while (pos < n && isBlank(commandLine[pos]))
            ++pos;
        if (pos >= n)
            break;
        std::string arg;
        quoted = false;
        while (pos < n && (quoted || !isBlank(commandLine[pos]))) {
            std::size_t slashes = 0;
            while (pos < n && commandLine[pos] == '\\') {
                ++slashes;
                ++pos;
            }
            if (pos < n && commandLine[pos] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    arg += '"';
                    ++pos;
                } else if (quoted && pos + 1 < n && commandLine[pos + 1] == '"') {
                    arg += '"'; // "" inside quotes is one quote
                    pos += 2;
                } else {
                    quoted = !quoted;
                    ++pos;
                }
                continue;
            }
            arg.append(slashes, '\\');
            if (pos < n && (quoted || !isBlank(commandLine[pos])))
                arg += commandLine[pos++];
        }
        args.push_back(arg);
    }
    return args;
}

std::string installArgument(const std::string& commandLine) {
    const std::vector<std::string> args = splitCommandLine(commandLine);
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].empty() || (args[i][0] != '-' && args[i][0] != '/'))
            return args[i];
    }
    return {};
}

InstallRequest parseInstallArgument(const std::string& argument) {
    InstallRequest request;
    // Operations are small positive numbers; a sign in front names none of them.
    request.operation = static_cast<int>(leadingNumber(argument, 0, false, 1000));
    const std::size_t dash = argument.find('-');
    if (dash != std::string::npos && dash != 0) {
        const long count = leadingNumber(argument, dash + 1, true, 1000);
        if (count >= 1 && count <= 255)
            request.deviceCount = static_cast<int>(count);
    }
    return request;
}

} // namespace usbinstall
