#include "oemui/raw_job.h"

#include <limits>

namespace oemui {
RawJob::~RawJob() {
    // A job left open would hold the printer until the spooler gave up on it.
    if (state_ == State::Open) {
        end();
    }
}

bool RawJob::start(const std::u16string& docName) {
    if (state_ != State::Idle) {
        return false;
    }
    platform::DocInfo1W doc;
    doc.docName = docName;
    doc.datatype = u"RAW";
    // Some spoolers fail a call without a reason: no stale one is reported.
    host_.SetLastError(0);
    if (host_.StartDocPrinterW(printer_, doc) == 0) {
        failed("StartDocPrinterW", host_.GetLastError());
        state_ = State::Ended;
        return false;
    }
    host_.SetLastError(0);
    if (!host_.StartPagePrinter(printer_)) {
        failed("StartPagePrinter", host_.GetLastError());
        host_.EndDocPrinter(printer_);
        state_ = State::Ended;
        return false;
    }
    state_ = State::Open;
    return true;
}

bool RawJob::write(const std::uint8_t* bytes, std::size_t count) {
    if (state_ != State::Open) {
        return false;
    }
    std::uint32_t written = 0;
    const bool fits = count <= std::numeric_limits<std::uint32_t>::max();
    host_.SetLastError(0);
    if (!fits || !host_.WritePrinter(printer_, bytes, static_cast<std::uint32_t>(count), written)) {
        failed("WritePrinter", fits ? host_.GetLastError() : platform::err::invalidParameter);
        end();
        return false;
    }
    if (written != count) {
        failed("WritePrinter", 0); // the spooler took only part of the bytes
        end();
        return false;
    }
    return true;
}

void RawJob::failed(const char* call, std::uint32_t error) {
    if (ok_) {
        failure_ = {call, error};
    }
    ok_ = false;
}

void RawJob::end() {
    host_.SetLastError(0);
    if (!host_.EndPagePrinter(printer_)) {
        failed("EndPagePrinter", host_.GetLastError());
    }
    host_.SetLastError(0);
    if (!host_.EndDocPrinter(printer_)) {
        failed("EndDocPrinter", host_.GetLastError());
    }
    state_ = State::Ended;
}

bool RawJob::finish() {
    if (state_ != State::Open) {
        return false;
    }
    end();
    return ok_;
}

bool sendRawJob(platform::PluginHost& host, platform::Handle printer, const std::u16string& docName,
                const std::vector<std::vector<std::uint8_t>>& pieces) {
    RawJob job(host, printer);
    if (!job.start(docName)) {
        return false;
    }
    for (const auto& piece : pieces) {
        if (!job.write(piece)) {
            return false;
        }
    }
    return job.finish();
}

} // namespace oemui
