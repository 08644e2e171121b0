// Holds our profile-file engine against the system's GetPrivateProfileStringA.
// Every case writes one file of awkward INI text into a fresh temporary folder,
// asks both the same questions and prints each answer on which they differ.
// Exit code 0 when they always agree, 1 otherwise (2 when the test itself could
// not run).
#include <windows.h>

#include "common/profile_file.h"

#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

// A question of GetPrivateProfileStringA. A null section asks for the section
// names, a null key for the key names of the section.
struct Query {
    const char* section;
    const char* key;
    const char* defaultValue;
    unsigned bufferSize;
};

struct Case {
    const char* name;
    std::string text;
    std::vector<Query> queries;
    bool unopenable = false; // the file's folder does not exist
};

std::string visible(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::string visible(const char* s) {
    return s == nullptr ? "NULL" : visible(std::string(s));
}

// A double-zero-terminated list as its names joined by '|'.
std::string joinList(const char* data, std::size_t size) {
    std::string out;
    std::size_t pos = 0;
    while (pos < size && data[pos] != '\0') {
        const std::size_t len = std::strlen(data + pos);
        if (!out.empty())
            out += '|';
        out.append(data + pos, len);
        pos += len + 1;
    }
    return out;
}

std::string joinList(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        if (!out.empty())
            out += '|';
        out += n;
    }
    return out;
}

bool writeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = text.empty() || WriteFile(file, text.data(), static_cast<DWORD>(text.size()),
                                              &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

constexpr char canary = '\x5A';

class Comparison {
public:
    explicit Comparison(std::string folder) : folder_(std::move(folder)) {}

    // Runs one case on its own file name, so that no cached copy of an earlier
    // file can answer.
    void run(const Case& c, bool writeIt = true) {
        const std::string path = folder_ + "\\" + c.name + ".ini";
        if (writeIt && !writeFile(path, c.text)) {
            std::printf("SETUP %s: cannot write %s\n", c.name, path.c_str());
            ++failures_;
            return;
        }
        for (const Query& q : c.queries)
            ask(c, path, q);
    }

    // WritePrivateProfileStringA on the file, then the questions: the system
    // reads its own result, the engine the text profileSetString gives.
    void runWrite(const Case& c, const char* section, const char* key, const char* value) {
        const std::string path = folder_ + "\\" + c.name + ".ini";
        if (!writeFile(path, c.text)) {
            std::printf("SETUP %s: cannot write %s\n", c.name, path.c_str());
            ++failures_;
            return;
        }
        if (!WritePrivateProfileStringA(section, key, value, path.c_str())) {
            std::printf("SETUP %s: WritePrivateProfileStringA failed (%lu)\n", c.name,
                        GetLastError());
            ++failures_;
            return;
        }
        Case written = c;
        written.text = common::profileSetString(c.text, section, key, value);
        for (const Query& q : c.queries)
            ask(written, path, q);
    }

    // The same questions on a path whose file is never written.
    void runOnPath(const Case& c, const std::string& path) {
        for (const Query& q : c.queries)
            ask(c, path, q);
    }

    // Every key of every section of an existing file, at several buffer sizes.
    void runOnFile(const std::string& path) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::printf("SETUP: cannot read %s\n", path.c_str());
            ++failures_;
            return;
        }
        std::string text(GetFileSize(file, nullptr), '\0');
        DWORD got = 0;
        ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &got, nullptr);
        CloseHandle(file);
        text.resize(got);
        const Case c{"package file", text, {}};
        std::vector<Query> queries{{nullptr, "", "", 65536}};
        const std::vector<std::string> sections = common::profileSectionNames(text);
        for (const std::string& section : sections) {
            queries.push_back({section.c_str(), nullptr, "", 65536});
            for (const std::string& key : common::profileKeyNames(text, section)) {
                keys_.push_back(key);
                for (unsigned size : {2048u, 200u, 50u, 10u, 2u})
                    queries.push_back({section.c_str(), keys_.back().c_str(), "0", size});
            }
            queries.push_back({section.c_str(), "NOT-A-KEY", "0", 200});
        }
        for (const Query& q : queries)
            ask(c, path, q);
        keys_.clear();
    }

    int failures() const { return failures_; }
    int asked() const { return asked_; }

private:
    void ask(const Case& c, const std::string& path, const Query& q) {
        ++asked_;
        std::vector<char> buffer(q.bufferSize + 64, canary);
        SetLastError(0xBEEF);
        const DWORD got = GetPrivateProfileStringA(q.section, q.key, q.defaultValue, buffer.data(),
                                                   q.bufferSize, path.c_str());
        for (std::size_t i = q.bufferSize; i < buffer.size(); ++i) {
            if (buffer[i] != canary) {
                report(c, q, "the system wrote past the buffer", "");
                return;
            }
        }
        if (q.section == nullptr || q.key == nullptr) {
            compareList(c, q, buffer, got);
            return;
        }
        const std::string real =
            q.bufferSize == 0 ? std::string() : std::string(buffer.data(), got);
        const std::string ours =
            c.unopenable
                ? common::profileDefaultWhenUnopenable(q.defaultValue, q.bufferSize)
                : common::profileGetString(c.text, q.section, q.key, q.defaultValue, q.bufferSize);
        if (real != ours)
            report(c, q, visible(real), visible(ours));
        else if (q.bufferSize != 0 && std::strlen(buffer.data()) != got)
            report(c, q, "returned length " + std::to_string(got) + " for " + visible(real),
                   visible(ours));
    }

    // Listings are compared only where the whole list fits.
    void compareList(const Case& c, const Query& q, const std::vector<char>& buffer, DWORD got) {
        const std::string real = joinList(buffer.data(), got + 1);
        const std::vector<std::string> names = q.section == nullptr
                                                   ? common::profileSectionNames(c.text)
                                                   : common::profileKeyNames(c.text, q.section);
        const std::string ours = joinList(names);
        if (real != ours)
            report(c, q, visible(real), visible(ours));
    }

    void report(const Case& c, const Query& q, const std::string& real, const std::string& ours) {
        ++failures_;
        std::printf("MISMATCH %s: [%s] %s default %s size %u\n  system: %s\n  engine: %s\n", c.name,
                    visible(q.section).c_str(), visible(q.key).c_str(),
                    visible(q.defaultValue).c_str(), q.bufferSize, real.c_str(), ours.c_str());
    }

    std::string folder_;
    std::deque<std::string> keys_; // the names the questions point into
    int failures_ = 0;
    int asked_ = 0;
};

std::vector<Query> sizes(const char* section, const char* key, const char* def,
                         std::initializer_list<unsigned> bufferSizes) {
    std::vector<Query> out;
    for (unsigned s : bufferSizes)
        out.push_back({section, key, def, s});
    return out;
}

std::vector<Query> operator+(std::vector<Query> a, const std::vector<Query>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Case> cases() {
    using namespace std::string_literals;
    std::vector<Case> all;
    all.push_back({"letter_case",
                   "[Models]\r\nKey=Value\r\nMixedCase=abc\r\n[MODELS]\r\nKey=second\r\n"
                   "other=only-in-second\r\n[models2]\r\nk=v\r\n",
                   {{"models", "KEY", "d", 100},
                    {"MODELS", "key", "d", 100},
                    {"Models", "mixedcase", "d", 100},
                    {"MoDeLs", "MIXEDCASE", "d", 100},
                    {"models", "other", "d", 100},
                    {"MODELS2", "K", "d", 100},
                    {"model", "key", "d", 100},
                    {nullptr, "", "", 200},
                    {"models", nullptr, "", 200}}});
    all.push_back(
        {"blanks",
         "  [ Spaced ]  \r\nin=spaced\r\n[Trim]\r\n   key one   =   value with blanks   \r\n"
         "key2=\ttabbed\t\r\nkey3 =\r\nkey4=  \"  quoted blanks  \"  \r\n"
         "\tkey5\t=\v\f x \f\r\n",
         {{"Spaced", "in", "d", 100},
          {" Spaced ", "in", "d", 100},
          {"Trim", "key one", "d", 100},
          {"Trim", "  key one\t", "d", 100},
          {"Trim", "keyone", "d", 100},
          {"\tTrim  ", "key2", "d", 100},
          {"Trim", "key3", "d", 100},
          {"Trim", "key4", "d", 100},
          {"Trim", "key5", "d", 100},
          {nullptr, "", "", 200},
          {"Trim", nullptr, "", 200},
          {" Trim\t", nullptr, "", 200}}});
    all.push_back({"quotes",
                   "[Q]\r\ndq=\"double\"\r\nsq='single'\r\nmixed=\"mixed'\r\nopen=\"open\r\n"
                   "close=close\"\r\none=\"\r\ntwo=\"\"\r\nsingle2=''\r\ninner=a\"b\"c\r\n"
                   "nested='\"x\"'\r\nspaced=\" padded \"\r\nthree=\"\"\"\r\n",
                   sizes("Q", "dq", "d", {0, 1, 2, 3, 6, 7, 8, 9, 100}) +
                       sizes("Q", "sq", "d", {6, 7, 8, 100}) +
                       std::vector<Query>{{"Q", "mixed", "d", 100},
                                          {"Q", "open", "d", 100},
                                          {"Q", "close", "d", 100},
                                          {"Q", "inner", "d", 100},
                                          {"Q", "nested", "d", 100},
                                          {"Q", "spaced", "d", 100},
                                          {"Q", "three", "d", 100}} +
                       sizes("Q", "one", "d", {1, 2, 100}) +
                       sizes("Q", "two", "d", {1, 2, 3, 100}) +
                       sizes("Q", "single2", "d", {1, 2, 100})});
    all.push_back({"duplicates",
                   "[D]\r\nk=first\r\nk=second\r\n[E]\r\nx=1\r\n[D]\r\nk=third\r\n"
                   "only=in-second\r\n[d]\r\nlower=1\r\n",
                   {{"D", "k", "def", 100},
                    {"D", "only", "def", 100},
                    {"d", "lower", "def", 100},
                    {"E", "x", "def", 100},
                    {nullptr, "", "", 200},
                    {"D", nullptr, "", 200}}});
    all.push_back({"before_section",
                   "orphan=1\r\n=emptyname\r\n[S]\r\nk=v\r\n=alsoempty\r\n[]\r\ninempty=2\r\n",
                   {{"", "orphan", "def", 100},
                    {" ", "orphan", "def", 100},
                    {"S", "orphan", "def", 100},
                    {"S", "k", "def", 100},
                    {"S", "", "def", 100},
                    {"", "inempty", "def", 100},
                    {"", "", "def", 100},
                    {nullptr, "", "", 200},
                    {"S", nullptr, "", 200},
                    {"", nullptr, "", 200}}});
    all.push_back({"no_equals",
                   "[N]\r\nflagline\r\nk\r\nk=later\r\n[Broken\r\nafter=1\r\n[N2]\r\nx\r\n"
                   "y = 2\r\n[\r\nz=3\r\n",
                   {{"N", "flagline", "def", 100},
                    {"N", "k", "def", 100},
                    {"N", "[Broken", "def", 100},
                    {"N", "after", "def", 100},
                    {"Broken", "after", "def", 100},
                    {"N2", "x", "def", 100},
                    {"N2", "y", "def", 100},
                    {"N2", "[", "def", 100},
                    {"N2", "z", "def", 100},
                    {nullptr, "", "", 200},
                    {"N", nullptr, "", 200},
                    {"N2", nullptr, "", 200}}});
    all.push_back({"comments",
                   "; leading comment\r\n# hash comment\r\n[C]\r\n;k=commented\r\n#h=hash\r\n"
                   "k=real ; not a comment\r\n; another\r\n  ;spaced=1\r\n[;S]\r\na=1\r\n",
                   {{"C", ";k", "def", 100},
                    {"C", "#h", "def", 100},
                    {"C", "k", "def", 100},
                    {"C", "; another", "def", 100},
                    {"C", ";spaced", "def", 100},
                    {";S", "a", "def", 100},
                    {nullptr, "", "", 200},
                    {"C", nullptr, "", 300}}});
    all.push_back({"empty_values",
                   "[E]\r\nempty=\r\nblank=   \r\ntab=\t\r\n[Other]\r\n",
                   {{"E", "empty", "def", 100},
                    {"E", "blank", "def", 100},
                    {"E", "tab", "def", 100},
                    {"Other", "missing", "def", 100},
                    {"Other", "missing", "", 100},
                    {"Other", nullptr, "", 100}}});
    all.push_back({"line_ends_lf",
                   "[L]\na=1\nb=2\n\n[M]\nc=3",
                   {{"L", "a", "d", 100},
                    {"L", "b", "d", 100},
                    {"M", "c", "d", 100},
                    {nullptr, "", "", 100}}});
    all.push_back({"line_ends_cr",
                   "[L]\ra=1\rb=2\r\r[M]\rc=3\r",
                   {{"L", "a", "d", 100},
                    {"L", "b", "d", 100},
                    {"M", "c", "d", 100},
                    {nullptr, "", "", 100}}});
    all.push_back(
        {"line_ends_mixed",
         "[L]\r\na=1\n\rb=2\rc=3\n[M]\r\r\n\nd=4",
         {{"L", "a", "d", 100}, {"L", "b", "d", 100}, {"L", "c", "d", 100}, {"M", "d", "d", 100}}});
    all.push_back({"headers",
                   "[A]junk\r\na=1\r\n[B]x]\r\nb=2\r\n[[C]]\r\nc=3\r\n  [T] ; note\r\nt=4\r\n"
                   "[ ]\r\nblank=5\r\n[U\r\nu=6\r\n]V[\r\nv=7\r\n",
                   {{"A", "a", "d", 100},
                    {"B]x", "b", "d", 100},
                    {"B", "b", "d", 100},
                    {"[C]", "c", "d", 100},
                    {"C", "c", "d", 100},
                    {"T", "t", "d", 100},
                    {" ", "blank", "d", 100},
                    {"T", "u", "d", 100},
                    {"U", "u", "d", 100},
                    {"T", "]V[", "d", 100},
                    {"T", "v", "d", 100},
                    {nullptr, "", "", 300}}});
    all.push_back({"long_values", "[L]\r\nlong=0123456789ABCDEF\r\nq=\"0123456789\"\r\nsq='01'\r\n",
                   sizes("L", "long", "d", {1, 2, 5, 15, 16, 17, 18}) +
                       sizes("L", "q", "d", {1, 2, 9, 10, 11, 12, 13}) +
                       sizes("L", "sq", "d", {1, 2, 3, 4, 5})});
    all.push_back({"defaults", "[S]\r\nk=v\r\n",
                   sizes("S", "missing", "def   ", {1, 2, 3, 4, 5, 100}) +
                       std::vector<Query>{{"S", "missing", "   ", 100},
                                          {"S", "missing", " a b ", 100},
                                          {"S", "missing", "\ttab\t", 100},
                                          {"S", "missing", "\"quoted\"", 100},
                                          {"S", "missing", "\"quoted\"", 7},
                                          {"S", "missing", "\"quoted\"", 8},
                                          {"S", "missing", "'q'  ", 100},
                                          {"S", "missing", "\"", 100},
                                          {"Missing", "k", "0", 200},
                                          {"S", "k", "ignored", 100}}});
    all.push_back({"odd_bytes",
                   "[Z]\r\na\0b=1\r\nv=x\0y\r\nk=v\x1a\r\n\x1a  w = 9 \x1a\r\n[Y\0z]\r\nin=1\r\n"s,
                   {{"Z", "a", "d", 100},
                    {"Z", "v", "d", 100},
                    {"Z", "k", "d", 100},
                    {"Z", "w", "d", 100},
                    {"Y", "in", "d", 100},
                    {nullptr, "", "", 100},
                    {"Z", nullptr, "", 100}}});
    all.push_back(
        {"ctrl_z_end", "[S]\r\nk=v\r\n\x1a", {{"S", "k", "d", 100}, {nullptr, "", "", 100}}});
    all.push_back(
        {"utf8_bom", "\xEF\xBB\xBF[B]\r\nk=v\r\n", {{"B", "k", "d", 100}, {nullptr, "", "", 100}}});
    all.push_back(
        {"key_shapes",
         "[K]\r\nk=a=b\r\na b=c\r\n==x\r\nk2 = = \r\nDEVICENAME1=QRT-K500NX-ReceiptPrinter\r\n",
         {{"K", "k", "d", 100},
          {"K", "a b", "d", 100},
          {"K", "a  b", "d", 100},
          {"K", "", "d", 100},
          {"K", "k2", "d", 100},
          {"K", "devicename1", "d", 200}}});
    all.push_back({"section_blanks",
                   "[\tTab\t]\r\na=1\r\n[ A  B ]\r\nb=2\r\n[\x1a Z\x1a]\r\nz=3\r\n",
                   {{"Tab", "a", "d", 100},
                    {"A  B", "b", "d", 100},
                    {"A B", "b", "d", 100},
                    {"Z", "z", "d", 100},
                    {nullptr, "", "", 100}}});
    all.push_back({"quoted_names",
                   "[\"QS\"]\r\n\"qk\"=1\r\n'sk'=2\r\n\"open=3\r\n",
                   {{"\"QS\"", "\"qk\"", "d", 100},
                    {"QS", "qk", "d", 100},
                    {"\"QS\"", "'sk'", "d", 100},
                    {"\"QS\"", "\"open", "d", 100},
                    {nullptr, "", "", 100},
                    {"\"QS\"", nullptr, "", 100}}});
    all.push_back({"control_blanks",
                   "[C]\r\n\x1c\x1d k1 \x1e\x1f=\x1c v1 \x1f\r\n\x0b k2\x0c=\x0c v2\x0b\r\n",
                   {{"C", "k1", "d", 100},
                    {"C", "\x1c\x1d k1 \x1e\x1f", "d", 100},
                    {"C", "k2", "d", 100},
                    {"C", nullptr, "", 100}}});
    all.push_back({"empty_file", "", {{"S", "k", "def", 100}, {"S", "k", "\"q\"", 100}}});
    std::string longValue(5000, 'x');
    longValue[2046] = 'Y';
    all.push_back(
        {"very_long", "[V]\r\nv=" + longValue + "\r\nafter=1\r\n",
         sizes("V", "v", "d", {2047, 2048, 2049}) + std::vector<Query>{{"V", "after", "d", 100}}});
    return all;
}

} // namespace

// Arguments: further files (the package's own INI files) to hold against the
// system key by key.
int main(int argc, char** argv) {
    char temp[MAX_PATH];
    if (GetTempPathA(sizeof temp, temp) == 0) {
        std::printf("SETUP: no temporary folder\n");
        return 2;
    }
    std::string folder =
        std::string(temp) + "profile_compare_" + std::to_string(GetCurrentProcessId());
    // The system's cache of profile files lives in the process, so a folder left
    // by an earlier run does no harm.
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        std::printf("SETUP: cannot create %s\n", folder.c_str());
        return 2;
    }
    std::printf("ANSI code page %u\n", GetACP());
    Comparison comparison(folder);
    for (const Case& c : cases())
        comparison.run(c);

    // A file that does not exist answers like an empty one.
    const Case missing{"missing_file",
                       "",
                       {{"S", "k", "def  ", 100}, {"S", "k", "\"q\"", 100}, {"S", "k", "", 100}}};
    comparison.runOnPath(missing, folder + "\\never_written.ini");
    const Case noFolder{"missing_folder", "", missing.queries, true};
    comparison.runOnPath(noFolder, folder + "\\no_such_folder\\setup.ini");

    // What a write leaves, as the next read sees it.
    const std::vector<Query> afterWrite{{"S", "k", "d", 100},    {"S", "x", "d", 100},
                                        {"S", "only", "d", 100}, {"T", "t", "d", 100},
                                        {"s", "KEY", "d", 100},  {nullptr, "", "", 200},
                                        {"S", nullptr, "", 200}};
    comparison.runWrite({"write_existing", "[S]\r\nk=old\r\nx=1\r\n", afterWrite}, "S", "k", "new");
    comparison.runWrite({"write_case", "[s]\r\nKEY=old\r\n", afterWrite}, "S", "key", "new");
    comparison.runWrite({"write_missing_key", "[S]\r\nx=1\r\n\r\n[T]\r\nt=2\r\n", afterWrite}, "S",
                        "k", "new");
    comparison.runWrite({"write_new_section", "[T]\r\nt=2", afterWrite}, "S", "k", "new");
    comparison.runWrite({"write_empty_file", "", afterWrite}, "S", "k", "new");
    comparison.runWrite(
        {"write_duplicate_section", "[S]\r\nx=1\r\n[T]\r\nt=2\r\n[S]\r\nonly=2\r\n", afterWrite},
        "S", "only", "new");
    comparison.runWrite({"write_valueless_line", "[S]\r\nk\r\nk=later\r\n", afterWrite}, "S", "k",
                        "new");
    comparison.runWrite({"write_blank_header", "[ S ]\r\nx=1\r\n", afterWrite}, "S", "k", "new");
    comparison.runWrite({"write_lf_file", "[S]\nx=1\n[T]\nt=2\n", afterWrite}, "S", "k", "new");
    comparison.runWrite({"write_blank_value", "[S]\r\nk=old\r\n", afterWrite}, "S", "k", "  v  ");

    for (int i = 1; i < argc; ++i)
        comparison.runOnFile(argv[i]);

    std::printf("%d questions, %d mismatches\n", comparison.asked(), comparison.failures());
    return comparison.failures() == 0 ? 0 : 1;
}
