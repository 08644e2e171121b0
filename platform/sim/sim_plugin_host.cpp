#include "platform/sim/sim_plugin_host.h"
#include "platform/sim/system_texts.h"

#include "common/profile_file.h"
#include "platform/sim/sim_system_info.h"

#include <algorithm>
#include <cstdlib>

namespace platform::sim {

namespace {

// Error numbers of the spooler and file calls that only this part of the
// simulation answers with.
constexpr std::uint32_t errorNegativeSeek = 131;
constexpr std::uint32_t errorInvalidFormName = 1902;
constexpr std::uint32_t errorInvalidPrinterState = 1906;
constexpr std::uint32_t errorSplNoStartDoc = 3003;

// Windows compares names without regard to case; the plug-in's names are ASCII.
std::u16string upper(const std::u16string& text) {
    std::u16string out(text);
    for (auto& c : out) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - u'a' + u'A');
        }
    }
    return out;
}

std::u16string withoutFinalBackslash(std::u16string path) {
    while (path.size() > 3 && path.back() == u'\\') {
        path.pop_back();
    }
    return path;
}

std::u16string parentOf(const std::u16string& key) {
    const auto cut = key.find_last_of(u'\\');
    return cut == std::u16string::npos ? std::u16string() : key.substr(0, cut);
}

// Profile texts in the ANSI code page: Latin-1 here, '?' for the rest.
std::string toAnsi(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::u16string fromAnsi(const std::string& text) {
    std::u16string out;
    for (char c : text) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    }
    return out;
}

bool startsWithUtf16Mark(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
}

bool validForm(const FormInfo1W& form) {
    return !form.name.empty() && form.width > 0 && form.height > 0;
}

} // namespace

std::vector<std::uint8_t> SimJob::bytes() const {
    std::vector<std::uint8_t> all;
    for (const auto& piece : pieces) {
        all.insert(all.end(), piece.begin(), piece.end());
    }
    return all;
}

SimPluginHost::SimPluginHost() {
    forms_.push_back({formBuiltin, u"Letter", 215900, 279400, 0, 0, 215900, 279400});
    forms_.push_back({formBuiltin, u"A4", 210000, 297000, 0, 0, 210000, 297000});
    addFolder(u"C:\\");
    addFolder(u"C:\\Users\\User\\AppData\\Local\\Temp");
    addFolder(driverFolder);
    const auto font = [](const char16_t* face, std::int32_t weight, std::uint8_t pitch) {
        LogFontW f;
        f.height = 16;
        f.width = 7;
        f.weight = weight;
        f.pitchAndFamily = pitch;
        f.faceName = face;
        return f;
    };
    fonts_ = {{font(u"System", 700, 0x22), 1},
              {font(u"Arial", 400, 0x22), trueTypeFontType},
              {font(u"Arial", 700, 0x22), trueTypeFontType},
              {font(u"Courier New", 400, 0x31), trueTypeFontType},
              {font(u"Courier New", 700, 0x31), trueTypeFontType}};
}

Handle SimPluginHost::addPrinter(const std::u16string& name) {
    const Handle h = nextHandle_++;
    printers_[h] = name;
    return h;
}

void SimPluginHost::addFolder(const std::u16string& path) {
    // A folder brings its parents with it, as a real path would.
    std::u16string key = withoutFinalBackslash(upper(path));
    while (!key.empty() && folders_.insert(key).second) {
        key = parentOf(key);
    }
}

void SimPluginHost::putFile(const std::u16string& path, std::vector<std::uint8_t> bytes,
                            std::uint32_t attributes) {
    const auto key = upper(path);
    addFolder(parentOf(key));
    files_[key] = File{std::move(bytes), attributes};
}

void SimPluginHost::queueOpenFileAnswer(std::optional<OpenFileResult> answer) {
    openFileAnswers_.push_back(std::move(answer));
}

bool SimPluginHost::hasFile(const std::u16string& path) const {
    return files_.count(upper(path)) != 0;
}

std::vector<std::uint8_t> SimPluginHost::fileBytes(const std::u16string& path) const {
    const auto it = files_.find(upper(path));
    return it == files_.end() ? std::vector<std::uint8_t>() : it->second.bytes;
}

bool SimPluginHost::injected(const char* call) {
    const std::uint32_t error = faults_.failCode(call);
    if (error == 0) {
        return false;
    }
    lastError_ = error;
    return true;
}

bool SimPluginHost::fail(std::uint32_t error) {
    lastError_ = error;
    return false;
}

bool SimPluginHost::knownPrinter(Handle printer) {
    return printers_.count(printer) != 0;
}

SimJob* SimPluginHost::openJob(Handle printer) {
    for (auto it = jobs_.rbegin(); it != jobs_.rend(); ++it) {
        if (it->printer == printer && !it->ended) {
            return &*it;
        }
    }
    return nullptr;
}

// The common start of the calls inside a job: recorded, faults, a known
// printer with a document started on it; null with the error set otherwise.
SimJob* SimPluginHost::jobCall(const char* call, Handle printer) {
    spoolerCalls_.push_back(call);
    if (injected(call)) {
        return nullptr;
    }
    if (!knownPrinter(printer)) {
        fail(err::invalidHandle);
        return nullptr;
    }
    SimJob* job = openJob(printer);
    if (job == nullptr) {
        fail(errorSplNoStartDoc);
    }
    return job;
}

// --- raw jobs --------------------------------------------------------------

std::uint32_t SimPluginHost::StartDocPrinterW(Handle printer, const DocInfo1W& doc) {
    spoolerCalls_.push_back("StartDocPrinterW");
    if (injected("StartDocPrinterW")) {
        return 0;
    }
    if (!knownPrinter(printer)) {
        return failWith<std::uint32_t>(err::invalidHandle, 0);
    }
    if (openJob(printer) != nullptr) {
        return failWith<std::uint32_t>(errorInvalidPrinterState, 0);
    }
    if (!doc.datatype.empty() && upper(doc.datatype) != u"RAW") {
        return failWith<std::uint32_t>(err::invalidDatatype, 0);
    }
    SimJob job;
    job.id = static_cast<std::uint32_t>(jobs_.size() + 1);
    job.printer = printer;
    job.doc = doc;
    jobs_.push_back(std::move(job));
    return jobs_.back().id;
}

bool SimPluginHost::StartPagePrinter(Handle printer) {
    SimJob* job = jobCall("StartPagePrinter", printer);
    if (job == nullptr) {
        return false;
    }
    job->pageOpen = true;
    ++job->pages;
    return true;
}

bool SimPluginHost::WritePrinter(Handle printer, const std::uint8_t* bytes, std::uint32_t count,
                                 std::uint32_t& written) {
    written = 0;
    SimJob* job = jobCall("WritePrinter", printer);
    if (job == nullptr) {
        return false;
    }
    if (count != 0 && bytes == nullptr) {
        return fail(err::invalidParameter);
    }
    written = writeLimit_ != 0 ? std::min(count, writeLimit_) : count;
    job->pieces.emplace_back(bytes, bytes + written);
    return true;
}

bool SimPluginHost::EndPagePrinter(Handle printer) {
    SimJob* job = jobCall("EndPagePrinter", printer);
    if (job == nullptr) {
        return false;
    }
    job->pageOpen = false;
    return true;
}

bool SimPluginHost::EndDocPrinter(Handle printer) {
    SimJob* job = jobCall("EndDocPrinter", printer);
    if (job == nullptr) {
        return false;
    }
    job->pageOpen = false;
    job->ended = true;
    return true;
}

// --- forms -----------------------------------------------------------------

bool SimPluginHost::EnumFormsW(Handle printer, std::vector<FormInfo1W>& forms) {
    if (injected("EnumFormsW")) {
        return false;
    }
    if (!knownPrinter(printer)) {
        return fail(err::invalidHandle);
    }
    forms = forms_;
    return true;
}

bool SimPluginHost::AddFormW(Handle printer, const FormInfo1W& form) {
    if (injected("AddFormW")) {
        return false;
    }
    if (!knownPrinter(printer)) {
        return fail(err::invalidHandle);
    }
    if (!validForm(form)) {
        return fail(err::invalidParameter);
    }
    const auto key = upper(form.name);
    for (const auto& f : forms_) {
        if (upper(f.name) == key) {
            return fail(err::fileExists);
        }
    }
    FormInfo1W added = form;
    added.flags = formUser;
    forms_.push_back(added);
    return true;
}

bool SimPluginHost::SetFormW(Handle printer, const std::u16string& name, const FormInfo1W& form) {
    if (injected("SetFormW")) {
        return false;
    }
    if (!knownPrinter(printer)) {
        return fail(err::invalidHandle);
    }
    if (!validForm(form)) {
        return fail(err::invalidParameter);
    }
    const auto key = upper(name);
    for (auto& f : forms_) {
        if (upper(f.name) == key) {
            if (f.flags == formBuiltin) {
                return fail(err::invalidParameter);
            }
            const std::u16string kept = f.name;
            f = form;
            f.name = kept;
            f.flags = formUser;
            return true;
        }
    }
    return fail(errorInvalidFormName);
}

bool SimPluginHost::DeleteFormW(Handle printer, const std::u16string& name) {
    if (injected("DeleteFormW")) {
        return false;
    }
    if (!knownPrinter(printer)) {
        return fail(err::invalidHandle);
    }
    const auto key = upper(name);
    for (auto it = forms_.begin(); it != forms_.end(); ++it) {
        if (upper(it->name) == key) {
            if (it->flags == formBuiltin) {
                return fail(err::invalidParameter);
            }
            forms_.erase(it);
            return true;
        }
    }
    return fail(errorInvalidFormName);
}

// --- files -----------------------------------------------------------------

bool SimPluginHost::parentExists(const std::u16string& key) const {
    return folders_.count(parentOf(key)) != 0;
}

bool SimPluginHost::inUse(const std::u16string& key) const {
    for (const auto& [h, open] : handles_) {
        if (open.key == key) {
            return true;
        }
    }
    return false;
}

bool SimPluginHost::sharingAllows(const std::u16string& key, std::uint32_t access,
                                  std::uint32_t share) const {
    for (const auto& [h, open] : handles_) {
        if (open.key != key) {
            continue;
        }
        // Both sides must let the other in.
        if (((access & genericRead) && !(open.share & shareRead)) ||
            ((access & genericWrite) && !(open.share & shareWrite)) ||
            ((open.access & genericRead) && !(share & shareRead)) ||
            ((open.access & genericWrite) && !(share & shareWrite))) {
            return false;
        }
    }
    return true;
}

SimPluginHost::OpenFile* SimPluginHost::handle(Handle file) {
    const auto it = handles_.find(file);
    return it == handles_.end() ? nullptr : &it->second;
}

Handle SimPluginHost::CreateFileW(const std::u16string& path, std::uint32_t access,
                                  std::uint32_t shareMode, std::uint32_t creation) {
    if (injected("CreateFileW")) {
        return invalidHandle;
    }
    const auto key = upper(path);
    if (folders_.count(withoutFinalBackslash(key)) != 0) {
        return failWith<Handle>(err::accessDenied, invalidHandle);
    }
    if (!parentExists(key)) {
        return failWith<Handle>(err::pathNotFound, invalidHandle);
    }
    auto it = files_.find(key);
    if (creation == openExisting) {
        if (it == files_.end()) {
            return failWith<Handle>(err::fileNotFound, invalidHandle);
        }
    } else if (creation != createAlways) {
        return failWith<Handle>(err::invalidParameter, invalidHandle);
    }
    if (it != files_.end() && (access & genericWrite) &&
        (it->second.attributes & fileattr::readOnly)) {
        return failWith<Handle>(err::accessDenied, invalidHandle);
    }
    if (!sharingAllows(key, access, shareMode)) {
        return failWith<Handle>(err::sharingViolation, invalidHandle);
    }
    if (creation == createAlways) {
        const bool existed = it != files_.end();
        files_[key].bytes.clear();
        if (!existed) {
            files_[key].attributes = fileattr::archive;
        }
        // CREATE_ALWAYS over an existing file succeeds with ERROR_ALREADY_EXISTS.
        lastError_ = existed ? err::alreadyExists : err::success;
    } else {
        lastError_ = err::success;
    }
    const Handle h = nextHandle_++;
    handles_[h] = OpenFile{key, access, shareMode, 0};
    return h;
}

bool SimPluginHost::ReadFile(Handle file, std::uint8_t* buffer, std::uint32_t count,
                             std::uint32_t& read) {
    read = 0;
    if (injected("ReadFile")) {
        return false;
    }
    OpenFile* open = handle(file);
    if (open == nullptr) {
        return fail(err::invalidHandle);
    }
    if (!(open->access & genericRead)) {
        return fail(err::accessDenied);
    }
    const auto& bytes = files_[open->key].bytes;
    if (open->position < bytes.size()) {
        read = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(count, bytes.size() - open->position));
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(open->position), read, buffer);
        open->position += read;
    }
    return true;
}

bool SimPluginHost::WriteFile(Handle file, const std::uint8_t* bytes, std::uint32_t count,
                              std::uint32_t& written) {
    written = 0;
    if (injected("WriteFile")) {
        return false;
    }
    OpenFile* open = handle(file);
    if (open == nullptr) {
        return fail(err::invalidHandle);
    }
    if (!(open->access & genericWrite)) {
        return fail(err::accessDenied);
    }
    auto& content = files_[open->key].bytes;
    if (content.size() < open->position + count) {
        content.resize(static_cast<std::size_t>(open->position + count));
    }
    std::copy_n(bytes, count, content.begin() + static_cast<std::ptrdiff_t>(open->position));
    open->position += count;
    written = count;
    return true;
}

std::uint32_t SimPluginHost::GetFileSize(Handle file, std::uint32_t* high) {
    if (injected("GetFileSize")) {
        return invalidFileSize;
    }
    OpenFile* open = handle(file);
    if (open == nullptr) {
        fail(err::invalidHandle);
        return invalidFileSize;
    }
    const auto size = static_cast<std::uint64_t>(files_[open->key].bytes.size());
    if (high != nullptr) {
        *high = static_cast<std::uint32_t>(size >> 32);
    }
    lastError_ = err::success;
    return static_cast<std::uint32_t>(size);
}

std::uint32_t SimPluginHost::SetFilePointer(Handle file, std::int32_t distance, std::int32_t* high,
                                            std::uint32_t method) {
    if (injected("SetFilePointer")) {
        return invalidFileSize;
    }
    OpenFile* open = handle(file);
    if (open == nullptr) {
        fail(err::invalidHandle);
        return invalidFileSize;
    }
    std::int64_t move = distance;
    if (high != nullptr) {
        move = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(*high)) << 32) |
            static_cast<std::uint32_t>(distance));
    }
    std::int64_t base = 0;
    if (method == 1) {
        base = static_cast<std::int64_t>(open->position);
    } else if (method == fileEnd) {
        base = static_cast<std::int64_t>(files_[open->key].bytes.size());
    } else if (method != fileBegin) {
        fail(err::invalidParameter);
        return invalidFileSize;
    }
    const std::int64_t target = base + move;
    if (target < 0) {
        fail(errorNegativeSeek);
        return invalidFileSize;
    }
    open->position = static_cast<std::uint64_t>(target);
    if (high != nullptr) {
        *high = static_cast<std::int32_t>(open->position >> 32);
    }
    lastError_ = err::success;
    return static_cast<std::uint32_t>(open->position);
}

bool SimPluginHost::CloseHandle(Handle file) {
    if (injected("CloseHandle")) {
        return false;
    }
    if (handles_.erase(file) == 0) {
        return fail(err::invalidHandle);
    }
    return true;
}

bool SimPluginHost::CopyFileW(const std::u16string& from, const std::u16string& to,
                              bool failIfExists) {
    if (injected("CopyFileW")) {
        return false;
    }
    const auto source = upper(from);
    const auto target = upper(to);
    const auto it = files_.find(source);
    if (it == files_.end()) {
        return fail(err::fileNotFound);
    }
    if (!parentExists(target)) {
        return fail(err::pathNotFound);
    }
    const auto existing = files_.find(target);
    if (existing != files_.end()) {
        if (failIfExists) {
            return fail(err::fileExists);
        }
        if (existing->second.attributes & fileattr::readOnly) {
            return fail(err::accessDenied);
        }
    }
    if (!sharingAllows(source, genericRead, shareRead) || inUse(target)) {
        return fail(err::sharingViolation);
    }
    files_[target] = it->second;
    return true;
}

bool SimPluginHost::DeleteFileW(const std::u16string& path) {
    if (injected("DeleteFileW")) {
        return false;
    }
    const auto key = upper(path);
    const auto it = files_.find(key);
    if (it == files_.end()) {
        return fail(parentExists(key) ? err::fileNotFound : err::pathNotFound);
    }
    if (it->second.attributes & fileattr::readOnly) {
        return fail(err::accessDenied);
    }
    if (inUse(key)) {
        return fail(err::sharingViolation);
    }
    files_.erase(it);
    return true;
}

std::uint32_t SimPluginHost::GetFileAttributesW(const std::u16string& path) {
    if (injected("GetFileAttributesW")) {
        return fileattr::invalid;
    }
    const auto key = upper(path);
    const auto it = files_.find(key);
    if (it != files_.end()) {
        return it->second.attributes;
    }
    if (folders_.count(withoutFinalBackslash(key)) != 0) {
        return fileattr::directory;
    }
    fail(parentExists(key) ? err::fileNotFound : err::pathNotFound);
    return fileattr::invalid;
}

bool SimPluginHost::SetFileAttributesW(const std::u16string& path, std::uint32_t attributes) {
    if (injected("SetFileAttributesW")) {
        return false;
    }
    const auto it = files_.find(upper(path));
    if (it == files_.end()) {
        return fail(err::fileNotFound);
    }
    // FILE_ATTRIBUTE_NORMAL alone means "no attributes".
    it->second.attributes = attributes == fileattr::normal ? 0 : attributes;
    return true;
}

std::u16string SimPluginHost::GetTempPathW() {
    if (injected("GetTempPathW")) {
        return {};
    }
    return tempPath_;
}

bool SimPluginHost::GetOpenFileNameW(const OpenFileRequest& request, OpenFileResult& chosen) {
    openFileRequests_.push_back(request);
    if (injected("GetOpenFileNameW")) {
        return false;
    }
    lastError_ = err::success;
    if (openFileAnswers_.empty()) {
        return false;
    }
    auto answer = std::move(openFileAnswers_.front());
    openFileAnswers_.pop_front();
    if (!answer) {
        return false;
    }
    if (answer->path.size() + 1 > request.maxPath) {
        // FNERR_BUFFERTOOSMALL, as CommDlgExtendedError would say.
        lastError_ = 0x3003;
        return false;
    }
    chosen = std::move(*answer);
    return true;
}

// --- fonts and the text picture ---------------------------------------------

std::vector<FontFamilyW> SimPluginHost::EnumFontFamiliesExW(Handle, const LogFontW& filter) {
    std::vector<FontFamilyW> found;
    if (injected("EnumFontFamiliesExW")) {
        return found;
    }
    // An empty face name reports each face once; a face name, each of its styles.
    for (const auto& f : fonts_) {
        const bool wanted = filter.faceName.empty()
                                ? std::none_of(found.begin(), found.end(),
                                               [&](const FontFamilyW& seen) {
                                                   return seen.font.faceName == f.font.faceName;
                                               })
                                : upper(filter.faceName) == upper(f.font.faceName);
        if (wanted) {
            found.push_back(f);
        }
    }
    return found;
}

int SimPluginHost::GetDeviceCaps(Handle, int index) {
    return index == logPixelsY ? logPixelsY_ : 0;
}

bool SimPluginHost::GetTextExtentPoint32W(const LogFontW& font, const std::u16string& text, int& cx,
                                          int& cy) {
    if (injected("GetTextExtentPoint32W")) {
        return false;
    }
    cy = font.height == 0 ? 16 : std::abs(font.height);
    cx = cy * static_cast<int>(text.size()) / 2;
    return true;
}

bool SimPluginHost::TextOutW(Bitmap32& picture, const LogFontW& font, std::uint32_t align, int x,
                             int y, const std::u16string& text) {
    if (injected("TextOutW")) {
        return false;
    }
    textOuts_.push_back({font, align, x, y, text});
    int cx = 0, cy = 0;
    GetTextExtentPoint32W(font, text, cx, cy);
    for (int row = std::max(0, y - cy); row < std::min(picture.height, y); ++row) {
        for (int column = std::max(0, x); column < std::min(picture.width, x + cx); ++column) {
            picture.pixels[static_cast<std::size_t>(row) * static_cast<std::size_t>(picture.width) +
                           static_cast<std::size_t>(column)] = 0;
        }
    }
    return true;
}

void SimPluginHost::queueMessageBoxAnswers(const std::vector<int>& answers) {
    messageBoxAnswers_.insert(messageBoxAnswers_.end(), answers.begin(), answers.end());
}

int SimPluginHost::MessageBoxW(Handle /*owner*/, const std::u16string& text,
                               const std::u16string& caption, std::uint32_t type) {
    if (injected("MessageBoxW"))
        return 0;
    int answer = mb::idOk;
    const std::uint32_t buttons = type & 0xF;
    if (buttons == mb::yesNo || buttons == 3 /* yes, no, cancel */ || buttons == mb::okCancel) {
        answer = buttons == mb::okCancel ? mb::idCancel : mb::idNo;
        if (!messageBoxAnswers_.empty()) {
            answer = messageBoxAnswers_.front();
            messageBoxAnswers_.pop_front();
        }
    }
    messageBoxes_.push_back({text, caption, type, answer});
    return answer;
}

bool SimPluginHost::WideCharToMultiByte(std::uint32_t codePage, const std::u16string& text,
                                        std::string& bytes) {
    bytes.clear();
    if (injected("WideCharToMultiByte")) {
        return false;
    }
    if (codePage != cpAcp && codePage != 1252) {
        return fail(err::invalidParameter);
    }
    // Code page 1252 is Latin-1 but for 0x80..0x9F, which hold these characters
    // (0 where the code page has none).
    static const char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (const char16_t unit : text) {
        char byte = '?';
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            byte = static_cast<char>(unit);
        } else {
            for (int i = 0; i < 32; ++i) {
                if (high[i] != 0 && high[i] == unit) {
                    byte = static_cast<char>(0x80 + i);
                }
            }
        }
        bytes.push_back(byte);
    }
    return true;
}

} // namespace platform::sim

// --- the control-font table and the utility page's reasons ----------------------

namespace platform::sim {

bool SimPluginHost::profileText(const std::u16string& key, std::string& text, bool& wide) const {
    wide = false;
    text.clear();
    if (!parentExists(key) || !sharingAllows(key, genericRead, shareRead | shareWrite)) {
        return false;
    }
    const auto it = files_.find(key);
    if (it == files_.end()) {
        return true; // an absent file reads as an empty one
    }
    const auto& bytes = it->second.bytes;
    wide = startsWithUtf16Mark(bytes);
    if (!wide) {
        text.assign(bytes.begin(), bytes.end());
        return true;
    }
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    text = toAnsi(units);
    return true;
}

std::u16string SimPluginHost::GetWindowsDirectoryW() {
    if (injected("GetWindowsDirectoryW")) {
        return {};
    }
    return u"C:\\Windows";
}

std::u16string SimPluginHost::GetPrivateProfileStringW(const std::u16string& section,
                                                       const std::u16string& key,
                                                       const std::u16string& defaultValue,
                                                       std::uint32_t bufferSize,
                                                       const std::u16string& file) {
    std::string text;
    bool wide = false;
    if (injected("GetPrivateProfileStringW") || !profileText(upper(file), text, wide)) {
        return fromAnsi(common::profileDefaultWhenUnopenable(toAnsi(defaultValue), bufferSize));
    }
    return fromAnsi(common::profileGetString(text, toAnsi(section), toAnsi(key),
                                             toAnsi(defaultValue), bufferSize));
}

bool SimPluginHost::WritePrivateProfileStringW(const std::u16string& section,
                                               const std::u16string& key,
                                               const std::u16string& value,
                                               const std::u16string& file) {
    if (injected("WritePrivateProfileStringW")) {
        return false;
    }
    const auto path = upper(file);
    if (!parentExists(path)) {
        return fail(err::pathNotFound);
    }
    const auto existing = files_.find(path);
    if (existing != files_.end() && (existing->second.attributes & fileattr::readOnly)) {
        return fail(err::accessDenied);
    }
    std::string text;
    bool wide = false;
    if (inUse(path) || !profileText(path, text, wide)) {
        return fail(err::sharingViolation);
    }
    const std::string updated =
        common::profileSetString(text, toAnsi(section), toAnsi(key), toAnsi(value));
    std::vector<std::uint8_t> bytes;
    if (wide) {
        bytes = {0xFF, 0xFE};
        for (char c : updated) {
            bytes.push_back(static_cast<std::uint8_t>(c));
            bytes.push_back(0);
        }
    } else {
        bytes.assign(updated.begin(), updated.end());
    }
    File& stored = files_[path];
    stored.bytes = std::move(bytes);
    return true;
}

bool SimPluginHost::MoveFileExW(const std::u16string& from, const std::u16string& to,
                                std::uint32_t flags) {
    if (injected("MoveFileExW")) {
        return false;
    }
    const auto source = upper(from);
    const auto target = upper(to);
    const auto it = files_.find(source);
    if (it == files_.end()) {
        return fail(parentExists(source) ? err::fileNotFound : err::pathNotFound);
    }
    if (!parentExists(target)) {
        return fail(err::pathNotFound);
    }
    if (folders_.count(withoutFinalBackslash(target)) != 0) {
        return fail(err::accessDenied);
    }
    const auto existing = files_.find(target);
    if (existing != files_.end() && source != target) {
        if (!(flags & moveFileReplaceExisting)) {
            return fail(err::alreadyExists);
        }
        if (existing->second.attributes & fileattr::readOnly) {
            return fail(err::accessDenied);
        }
    }
    if (inUse(source) || inUse(target)) {
        return fail(err::sharingViolation);
    }
    File moved = std::move(it->second);
    files_.erase(it);
    files_[target] = std::move(moved);
    return true;
}

bool SimPluginHost::FormatMessageW(std::uint32_t code, std::u16string& text) {
    if (injected("FormatMessageW")) {
        return false;
    }
    const char* found = systemErrorText(code);
    if (found == nullptr) {
        return fail(317); // ERROR_MR_MID_NOT_FOUND
    }
    text.assign(found, found + std::char_traits<char>::length(found));
    return true;
}

} // namespace platform::sim
