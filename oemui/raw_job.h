// The one way the plug-in talks to the printer: a raw spooler job on the host's
// printer handle. StartDocPrinterW ("RAW"), StartPagePrinter, one WritePrinter
// per piece, EndPagePrinter, EndDocPrinter; a failure ends what was started and
// skips the rest.
#pragma once

#include "platform/plugin_host.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace oemui {

class RawJob {
public:
    RawJob(platform::PluginHost& host, platform::Handle printer) : host_(host), printer_(printer) {}
    ~RawJob();
    RawJob(const RawJob&) = delete;
    RawJob& operator=(const RawJob&) = delete;

    // StartDocPrinterW and StartPagePrinter. A failed StartDocPrinterW calls
    // nothing more; a failed StartPagePrinter ends the document.
    bool start(const std::u16string& docName);

    // One WritePrinter call. A failed call, or one that writes fewer bytes than
    // given (the printer would get a torn command), ends the page and the
    // document; later writes are refused.
    bool write(const std::uint8_t* bytes, std::size_t count);
    bool write(const std::vector<std::uint8_t>& bytes) { return write(bytes.data(), bytes.size()); }

    // EndPagePrinter and EndDocPrinter; true when the job went out whole.
    bool finish();

    // The first call that failed and the last error it left (0 for a write the
    // spooler took only part of), so that a page can say why a job did not go out.
    struct Failure {
        const char* call = nullptr;
        std::uint32_t error = 0;
    };
    const Failure& failure() const { return failure_; }
    std::uint32_t error() const { return failure_.error; }

private:
    enum class State { Idle, Open, Ended };
    void end();

    platform::PluginHost& host_;
    platform::Handle printer_;
    State state_ = State::Idle;
    bool ok_ = true;
    Failure failure_;
    void failed(const char* call, std::uint32_t error);
};

// A whole job of the given pieces; true when every call succeeded.
bool sendRawJob(platform::PluginHost& host, platform::Handle printer, const std::u16string& docName,
                const std::vector<std::vector<std::uint8_t>>& pieces);

} // namespace oemui
