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
    if (host_.StartDocPrinterW(printer_, doc) == 0) {
        failed("StartDocPrinterW", host_.GetLastError());
        state_ = State::Ended;
        ok_ = false;
        return false;
    }
    if (!host_.StartPagePrinter(printer_)) {
        failed("StartPagePrinter", host_.GetLastError());
        host_.EndDocPrinter(printer_);
        state_ = State::Ended;
        ok_ = false;
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
    const bool taken =
        fits && host_.WritePrinter(printer_, bytes, static_cast<std::uint32_t>(count), written);
    if (!taken || written != count) {
        failed("WritePrinter", fits && !taken ? host_.GetLastError() : 0);
        ok_ = false;
        end();
        return false;
    }
    return true;
}

void RawJob::failed(const char* call, std::uint32_t error) {
    if (failure_.call == nullptr) {
        failure_ = {call, error};
    }
}

void RawJob::end() {
    const bool pageEnded = host_.EndPagePrinter(printer_);
    if (!pageEnded) {
        failed("EndPagePrinter", host_.GetLastError());
    }
    const bool docEnded = host_.EndDocPrinter(printer_);
    if (!docEnded) {
        failed("EndDocPrinter", host_.GetLastError());
    }
    ok_ = ok_ && pageEnded && docEnded;
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
