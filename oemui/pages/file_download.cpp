#include "oemui/pages/file_download.h"

#include "oemui/pages/download_messages.h"
#include "oemui/pages/download_texts.h"
#include "oemui/raw_job.h"
#include "oemui/resource.h"
#include "oemui/tools/logo_texts.h"
#include "platform/plugin_host.h"

#include <algorithm>
#include <new>
#include <vector>

namespace oemui::pages {

namespace {

using platform::PluginHost;

class OpenFile {
public:
    OpenFile(PluginHost& host, platform::Handle file) : host_(host), file_(file) {}
    ~OpenFile() {
        if (file_ != platform::invalidHandle) {
            host_.CloseHandle(file_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    platform::Handle get() const { return file_; }

private:
    PluginHost& host_;
    platform::Handle file_;
};

} // namespace

void FileDownload::start(PageView& view) {
    view.setReadOnly(IDC_DL_FILE_PATH, true);
    view.setTextLimit(IDC_DL_FILE_PATH, 1024);
    view.enable(IDC_DL_FILE_BROWSE, true);
    view.enable(IDC_DL_FILE_DOWNLOAD, false);
}

bool FileDownload::onEvent(PageView& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked) {
        return false;
    }
    if (event.id == IDC_DL_FILE_BROWSE) {
        browse(view);
    } else if (event.id == IDC_DL_FILE_DOWNLOAD) {
        download(view);
    } else {
        return false;
    }
    return true;
}

void FileDownload::browse(PageView& view) {
    platform::OpenFileRequest request;
    request.owner = view.window();
    request.title = kTitleChooseFile;
    request.filters = {{u"*.JK", u"*.JK"}, {u"*.DAT", u"*.DAT"}, {u"*.*", u"*.*"}};
    request.filterIndex = 1;
    request.flags = kOpenFileFlags;
    request.maxPath = 1024;
    platform::OpenFileResult chosen;
    if (!host_.GetOpenFileNameW(request, chosen)) {
        return;
    }
    view.setText(IDC_DL_FILE_PATH, chosen.path);
    view.enable(IDC_DL_FILE_DOWNLOAD, true);
}

void FileDownload::download(PageView& view) {
    const std::u16string path = view.text(IDC_DL_FILE_PATH);
    if (path.empty()) {
        return;
    }
    OpenFile file(host_,
                  host_.CreateFileW(path, PluginHost::genericRead, 0, PluginHost::openExisting));
    if (file.get() == platform::invalidHandle) {
        showError(host_, view, widen(logo::kTextCannotOpenLogo));
        return;
    }
    std::uint32_t high = 0;
    host_.SetLastError(0);
    const std::uint32_t low = host_.GetFileSize(file.get(), &high);
    if (low == PluginHost::invalidFileSize && host_.GetLastError() != 0) {
        showError(host_, view, kTextFileSizeUnknown);
        return;
    }
    std::uint64_t left = (static_cast<std::uint64_t>(high) << 32) | low;
    std::vector<std::uint8_t> piece;
    try {
        piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceBytes)));
    } catch (const std::bad_alloc&) {
        showError(host_, view, kTextNoMemory);
        return;
    }
    host_.SetLastError(0);
    if (host_.SetFilePointer(file.get(), 0, nullptr, PluginHost::fileBegin) ==
            PluginHost::invalidFileSize &&
        host_.GetLastError() != 0) {
        showError(host_, view, kTextCannotRewind);
        return;
    }
    // Each piece is read before it is sent; the first before the job starts, so that
    // an unreadable file sends nothing at all.
    auto readPiece = [&](std::uint32_t& got) {
        const auto want = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, kPieceBytes));
        got = 0;
        return want == 0 || (host_.ReadFile(file.get(), piece.data(), want, got) && got == want);
    };
    std::uint32_t got = 0;
    if (!readPiece(got)) {
        showError(host_, view, widen(logo::kTextCannotReadLogo));
        return;
    }
    RawJob job(host_, printer_);
    bool whole = true;
    if (job.start(u"FIRMWARE")) {
        while (got > 0 && job.write(piece.data(), got)) {
            left -= got;
            if (!readPiece(got)) {
                whole = false;
                break;
            }
        }
    }
    const bool sent = job.finish() && whole;
    if (!whole) {
        showError(host_, view, kTextFileNotSent + std::u16string(kTextFileCutShort));
    } else if (!sent) {
        showError(host_, view, kTextFileNotSent + jobFailureText(host_, job.failure()));
    }
}

} // namespace oemui::pages
