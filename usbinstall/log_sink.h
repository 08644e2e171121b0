// Where Install's operations write their log. Each text is one or more whole
// lines ending in "\r\n"; the program shows them in its log box, a tool prints them.
#pragma once

#include <string>
#include <vector>

namespace usbinstall {

class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(const std::string& text) = 0;
};

// Keeps every text written, in order.
class CollectingLog : public LogSink {
public:
    void write(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

} // namespace usbinstall
