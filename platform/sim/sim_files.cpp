#include "platform/sim/sim_files.h"

#include "platform/sim/pe_version.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_text.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>

namespace fs = std::filesystem;

namespace platform::sim {
namespace {

// Whether file-system redirection is switched off, per thread and machine.
thread_local std::map<const SimFiles*, bool> redirectionOff;

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

std::string joinPath(const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out += '\\';
        out += parts[i];
    }
    if (parts.size() == 1)
        out += '\\'; // a drive root
    return out;
}

// The host entry of `dir` whose name equals `name` without regard to case.
std::string matchEntry(const fs::path& dir, const std::string& name) {
    std::error_code ec;
    if (fs::exists(dir / name, ec)) {
        // An exact name may still differ in case from a second entry; exact wins.
        return name;
    }
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string entryName = entry.path().filename().string();
        if (equalNoCase(entryName, name))
            return entryName;
    }
    return name;
}

std::string parentOf(const std::string& full) {
    const std::size_t slash = full.rfind('\\');
    if (slash == std::string::npos)
        return full;
    if (slash == 2) // "C:\x" -> "C:\"
        return full.substr(0, 3);
    return full.substr(0, slash);
}

std::string nameOf(const std::string& full) {
    const std::size_t slash = full.rfind('\\');
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

} // namespace

SimFiles::SimFiles(SimMachine& machine) : machine_(machine) {
    const SimConfig& c = machine.config();
    fs::create_directories(fs::path(c.root) / "C");
    mounts_.push_back(Mount{"C:", (fs::path(c.root) / "C").string()});
    if (!c.packageDir.empty())
        mounts_.push_back(Mount{upper(c.programFolder), c.packageDir});
    currentDirectory_ = c.programFolder;
}

bool SimFiles::fail(const char* call) {
    return machine_.faults().fail(call, machine_);
}

bool SimFiles::redirectionDisabled() const {
    auto it = redirectionOff.find(this);
    return it != redirectionOff.end() && it->second;
}

std::optional<std::string> SimFiles::fullPath(const std::string& path, bool redirect) const {
    std::string p = path;
    std::replace(p.begin(), p.end(), '/', '\\');
    if (p.rfind("\\\\", 0) == 0)
        return std::nullopt; // no network shares here
    std::string absolute;
    if (p.size() >= 2 && p[1] == ':')
        absolute = p;
    else if (!p.empty() && p[0] == '\\')
        absolute = currentDirectory_.substr(0, 2) + p;
    else
        absolute = currentDirectory_ + "\\" + p;

    std::vector<std::string> parts;
    for (const std::string& part : splitPath(absolute)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (parts.size() > 1)
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':')
        return std::nullopt;
    parts[0] = upper(parts[0]);

    if (redirect && machine_.isWow64Process()) {
        const std::vector<std::string> win = splitPath(machine_.windowsDirectory());
        bool underWindows = parts.size() > win.size();
        for (std::size_t i = 0; underWindows && i < win.size(); ++i)
            underWindows = equalNoCase(parts[i], win[i]);
        if (underWindows) {
            std::string& folder = parts[win.size()];
            if (equalNoCase(folder, "system32") && !redirectionDisabled()) {
                // These system32 folders are shared by both bitnesses.
                static const char* exempt[] = {"catroot", "catroot2", "driverstore", "logfiles",
                                               "spool"};
                bool shared = false;
                if (parts.size() > win.size() + 1) {
                    const std::string& sub = parts[win.size() + 1];
                    for (const char* e : exempt)
                        shared = shared || equalNoCase(sub, e);
                    if (equalNoCase(sub, "drivers") && parts.size() > win.size() + 2 &&
                        equalNoCase(parts[win.size() + 2], "etc"))
                        shared = true;
                }
                if (!shared)
                    folder = "SysWOW64";
            } else if (equalNoCase(folder, "sysnative")) {
                folder = "system32";
            }
        }
    }
    return joinPath(parts);
}

std::string SimFiles::hostPath(const std::string& path) const {
    const std::optional<std::string> full = fullPath(path);
    if (!full)
        return {};
    const std::string up = upper(*full);
    const Mount* best = nullptr;
    for (const Mount& m : mounts_) {
        if ((up == m.prefix || up.rfind(m.prefix + "\\", 0) == 0 ||
             (up.size() == 3 && up.substr(0, 2) == m.prefix)) &&
            (best == nullptr || m.prefix.size() > best->prefix.size()))
            best = &m;
    }
    if (best == nullptr)
        return {};
    fs::path host = best->host;
    const std::vector<std::string> rest =
        splitPath(full->substr(std::min(full->size(), best->prefix.size())));
    for (const std::string& part : rest)
        host /= matchEntry(host, part);
    return host.string();
}

std::optional<std::string> SimFiles::resolve(const std::string& path) const {
    return fullPath(path, true);
}

std::optional<std::string> SimFiles::resolveExisting(const std::string& path) {
    const std::optional<std::string> full = resolve(path);
    if (full && exists(*full))
        return full;
    // As the kernel tells them apart: the file is missing, or already its folder.
    machine_.SetLastError(full && isDirectory(parentOf(*full)) ? err::fileNotFound
                                                               : err::pathNotFound);
    return std::nullopt;
}

bool SimFiles::exists(const std::string& path) const {
    const std::string host = hostPath(path);
    std::error_code ec;
    return !host.empty() && fs::exists(host, ec);
}

bool SimFiles::isDirectory(const std::string& path) const {
    const std::string host = hostPath(path);
    std::error_code ec;
    return !host.empty() && fs::is_directory(host, ec);
}

bool SimFiles::readText(const std::string& path, std::string& text) const {
    const std::string host = hostPath(path);
    std::error_code ec;
    if (host.empty() || !fs::is_regular_file(host, ec))
        return false;
    std::ifstream in(host, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return static_cast<bool>(in) || in.eof();
}

bool SimFiles::writeText(const std::string& path, const std::string& text) {
    const std::optional<std::string> full = fullPath(path);
    if (!full)
        return false;
    makeDirectories(parentOf(*full));
    const std::string host = hostPath(*full);
    if (host.empty())
        return false;
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

void SimFiles::makeDirectories(const std::string& path) {
    const std::string host = hostPath(path);
    std::error_code ec;
    if (!host.empty())
        fs::create_directories(host, ec);
}

void SimFiles::setInUse(const std::string& path, bool inUse) {
    const std::optional<std::string> full = fullPath(path);
    if (!full)
        return;
    if (inUse)
        inUse_.insert(upper(*full));
    else
        inUse_.erase(upper(*full));
}

bool SimFiles::isInUse(const std::string& path) const {
    const std::optional<std::string> full = fullPath(path);
    return full && inUse_.count(upper(*full)) != 0;
}

void SimFiles::setReadOnly(const std::string& path, bool readOnly) {
    const std::optional<std::string> full = fullPath(path);
    if (!full)
        return;
    std::uint32_t& a = attributes_[upper(*full)];
    if (a == 0)
        a = fileattr::archive;
    a = readOnly ? (a | fileattr::readOnly) : (a & ~fileattr::readOnly);
}

std::uint32_t SimFiles::attributes(const std::string& path) const {
    const std::optional<std::string> full = fullPath(path);
    if (!full || !exists(*full))
        return fileattr::invalid;
    if (isDirectory(*full))
        return fileattr::directory;
    auto it = attributes_.find(upper(*full));
    return it == attributes_.end() ? fileattr::archive : it->second;
}

std::vector<std::string> SimFiles::listFiles(const std::string& folder) const {
    std::vector<std::string> out;
    const std::optional<std::string> base = fullPath(folder);
    const std::string host = hostPath(folder);
    std::error_code ec;
    if (!base || host.empty() || !fs::is_directory(host, ec))
        return out;
    std::string prefix = *base;
    if (prefix.back() != '\\')
        prefix += '\\';
    for (auto it = fs::recursive_directory_iterator(host, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        if (!it->is_regular_file(ec))
            continue;
        std::string rel = fs::relative(it->path(), host, ec).string();
        std::replace(rel.begin(), rel.end(), '/', '\\');
        out.push_back(prefix + rel);
    }
    std::sort(out.begin(), out.end(),
              [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
    return out;
}

bool SimFiles::deniedWrite(const std::string& full) const {
    const SimConfig& c = machine_.config();
    if (c.administrator || isWin9x(c.os))
        return false;
    const std::string up = upper(full);
    const std::string windows = upper(machine_.windowsDirectory());
    return up.rfind(windows + "\\", 0) == 0 || up.rfind("C:\\PROGRAM FILES", 0) == 0;
}

bool SimFiles::CopyFileA(const std::string& from, const std::string& to, bool failIfExists) {
    if (fail("CopyFileA"))
        return false;
    const std::optional<std::string> src = resolve(from), dst = resolve(to);
    if (!src || !dst) {
        machine_.SetLastError(err::pathNotFound);
        return false;
    }
    std::error_code ec;
    const std::string srcHost = hostPath(*src), dstHost = hostPath(*dst);
    if (srcHost.empty() || !fs::exists(srcHost, ec)) {
        machine_.SetLastError(srcHost.empty() || !fs::exists(fs::path(srcHost).parent_path(), ec)
                                  ? err::pathNotFound
                                  : err::fileNotFound);
        return false;
    }
    if (fs::is_directory(srcHost, ec)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    if (dstHost.empty() || !fs::is_directory(fs::path(dstHost).parent_path(), ec)) {
        machine_.SetLastError(err::pathNotFound);
        return false;
    }
    if (fs::exists(dstHost, ec)) {
        if (failIfExists) {
            machine_.SetLastError(err::fileExists);
            return false;
        }
        if (fs::is_directory(dstHost, ec) || (attributes(*dst) & fileattr::readOnly) != 0) {
            machine_.SetLastError(err::accessDenied);
            return false;
        }
        if (inUse_.count(upper(*dst)) != 0) {
            machine_.SetLastError(err::sharingViolation);
            return false;
        }
    }
    if (deniedWrite(*dst)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    fs::copy_file(srcHost, dstHost, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    attributes_[upper(*dst)] = attributes(*src);
    return true;
}

std::uint32_t SimFiles::GetFileAttributesA(const std::string& path) {
    if (fail("GetFileAttributesA"))
        return fileattr::invalid;
    const std::optional<std::string> full = resolveExisting(path);
    if (!full)
        return fileattr::invalid;
    return attributes(*full);
}

bool SimFiles::SetFileAttributesA(const std::string& path, std::uint32_t attrs) {
    if (fail("SetFileAttributesA"))
        return false;
    const std::optional<std::string> full = resolve(path);
    if (!full || !exists(*full)) {
        machine_.SetLastError(err::fileNotFound);
        return false;
    }
    if (deniedWrite(*full)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    if (!isDirectory(*full))
        attributes_[upper(*full)] = attrs == fileattr::normal ? fileattr::normal : attrs;
    return true;
}

bool SimFiles::CreateDirectoryA(const std::string& path) {
    if (fail("CreateDirectoryA"))
        return false;
    const std::optional<std::string> full = resolve(path);
    if (!full) {
        machine_.SetLastError(err::pathNotFound);
        return false;
    }
    if (exists(*full)) {
        machine_.SetLastError(err::alreadyExists);
        return false;
    }
    if (!isDirectory(parentOf(*full))) {
        machine_.SetLastError(err::pathNotFound);
        return false;
    }
    if (deniedWrite(*full)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    std::error_code ec;
    fs::create_directory(hostPath(*full), ec);
    return !ec;
}

bool SimFiles::DeleteFileA(const std::string& path) {
    if (fail("DeleteFileA"))
        return false;
    const std::optional<std::string> full = resolveExisting(path);
    if (!full)
        return false;
    if (isDirectory(*full) || (attributes(*full) & fileattr::readOnly) != 0 || deniedWrite(*full)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    if (inUse_.count(upper(*full)) != 0) {
        machine_.SetLastError(err::sharingViolation);
        return false;
    }
    std::error_code ec;
    fs::remove(hostPath(*full), ec);
    attributes_.erase(upper(*full));
    return !ec;
}

Handle SimFiles::FindFirstFileA(const std::string& pattern, FindData& found) {
    if (fail("FindFirstFileA"))
        return invalidHandle;
    const std::optional<std::string> full = resolve(pattern);
    if (!full) {
        machine_.SetLastError(err::pathNotFound);
        return invalidHandle;
    }
    const std::string folder = parentOf(*full), namePattern = nameOf(*full);
    const std::string host = hostPath(folder);
    std::error_code ec;
    if (host.empty() || !fs::is_directory(host, ec)) {
        machine_.SetLastError(err::pathNotFound);
        return invalidHandle;
    }
    Search search;
    if (folder.size() > 3) {
        for (const char* dots : {".", ".."}) {
            if (wildcardMatch(namePattern, dots))
                search.entries.push_back(FindData{dots, fileattr::directory, 0});
        }
    }
    std::vector<FindData> entries;
    for (const auto& entry : fs::directory_iterator(host, ec)) {
        const std::string name = entry.path().filename().string();
        if (!wildcardMatch(namePattern, name))
            continue;
        FindData d;
        d.name = name;
        const std::string winPath = (folder.back() == '\\' ? folder : folder + "\\") + name;
        d.attributes = attributes(winPath);
        d.size = entry.is_regular_file(ec) ? entry.file_size(ec) : 0;
        entries.push_back(d);
    }
    std::sort(entries.begin(), entries.end(),
              [](const FindData& a, const FindData& b) { return upper(a.name) < upper(b.name); });
    search.entries.insert(search.entries.end(), entries.begin(), entries.end());
    if (search.entries.empty()) {
        machine_.SetLastError(err::fileNotFound);
        return invalidHandle;
    }
    found = search.entries[0];
    search.next = 1;
    const Handle h = nextSearch_++;
    searches_[h] = std::move(search);
    return h;
}

bool SimFiles::FindNextFileA(Handle handle, FindData& found) {
    if (fail("FindNextFileA"))
        return false;
    auto it = searches_.find(handle);
    if (it == searches_.end()) {
        machine_.SetLastError(err::invalidHandle);
        return false;
    }
    if (it->second.next >= it->second.entries.size()) {
        machine_.SetLastError(err::noMoreFiles);
        return false;
    }
    found = it->second.entries[it->second.next++];
    return true;
}

bool SimFiles::FindClose(Handle handle) {
    if (fail("FindClose"))
        return false;
    if (searches_.erase(handle) == 0) {
        machine_.SetLastError(err::invalidHandle);
        return false;
    }
    return true;
}

bool SimFiles::ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes) {
    if (fail("ReadFile"))
        return false;
    const std::optional<std::string> full = resolveExisting(path);
    if (!full)
        return false;
    if (isDirectory(*full)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    std::ifstream in(hostPath(*full), std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool SimFiles::WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (fail("WriteFile"))
        return false;
    const std::optional<std::string> full = resolve(path);
    if (!full || !isDirectory(parentOf(*full))) {
        machine_.SetLastError(err::pathNotFound);
        return false;
    }
    if (exists(*full) && (isDirectory(*full) || (attributes(*full) & fileattr::readOnly) != 0)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    if (inUse_.count(upper(*full)) != 0) {
        machine_.SetLastError(err::sharingViolation);
        return false;
    }
    if (deniedWrite(*full)) {
        machine_.SetLastError(err::accessDenied);
        return false;
    }
    std::ofstream out(hostPath(*full), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool SimFiles::GetFileVersionInfoA(const std::string& path, std::string& fileVersion) {
    if (fail("GetFileVersionInfoA"))
        return false;
    const std::optional<std::string> full = resolveExisting(path);
    if (!full || isDirectory(*full)) {
        if (full)
            machine_.SetLastError(err::fileNotFound);
        return false;
    }
    std::ifstream in(hostPath(*full), std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    std::string text;
    const VersionResult result = readFileVersion(bytes.data(), bytes.size(), text);
    if (result != VersionResult::Ok) {
        machine_.SetLastError(versionResultError(result));
        return false;
    }
    fileVersion = text;
    return true;
}

bool SimFiles::Wow64DisableWow64FsRedirection(Handle& oldValue) {
    if (fail("Wow64DisableWow64FsRedirection"))
        return false;
    const SimConfig& c = machine_.config();
    if (!hasFunction(c.os, c.bits, "kernel32.dll", "Wow64DisableWow64FsRedirection")) {
        machine_.SetLastError(err::callNotImplemented);
        return false;
    }
    oldValue = redirectionDisabled() ? 1 : 0;
    redirectionOff[this] = true;
    return true;
}

bool SimFiles::Wow64RevertWow64FsRedirection(Handle oldValue) {
    if (fail("Wow64RevertWow64FsRedirection"))
        return false;
    const SimConfig& c = machine_.config();
    if (!hasFunction(c.os, c.bits, "kernel32.dll", "Wow64RevertWow64FsRedirection")) {
        machine_.SetLastError(err::callNotImplemented);
        return false;
    }
    redirectionOff[this] = oldValue != 0;
    return true;
}

void SimFiles::save(std::ostream& out) const {
    out << joinFields({"cwd", currentDirectory_}) << '\n';
    for (const auto& [path, a] : attributes_)
        out << joinFields({"attr", path, std::to_string(a)}) << '\n';
    for (const std::string& path : inUse_)
        out << joinFields({"inuse", path}) << '\n';
}

bool SimFiles::load(std::istream& in) {
    attributes_.clear();
    inUse_.clear();
    std::string line;
    while (std::getline(in, line)) {
        const auto f = splitFields(line);
        if (f.size() == 2 && f[0] == "cwd")
            currentDirectory_ = f[1];
        else if (f.size() == 3 && f[0] == "attr")
            attributes_[f[1]] = static_cast<std::uint32_t>(std::strtoul(f[2].c_str(), nullptr, 10));
        else if (f.size() == 2 && f[0] == "inuse")
            inUse_.insert(f[1]);
        else if (!line.empty())
            return false;
    }
    return true;
}

} // namespace platform::sim
