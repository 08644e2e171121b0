#include "tools/drvsim/package_files.h"

#include "common/file_names.h"
#include "common/profile_file.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace drvsim {

PackageFiles::PackageFiles(fs::path folder) : folder_(std::move(folder)) {}

std::string PackageFiles::relative(const std::string& path) {
    const std::string root = std::string(packageRoot) + "\\";
    if (path.size() >= root.size() && common::sameName(path.substr(0, root.size()), root))
        return path.substr(root.size());
    return path;
}

std::optional<fs::path> PackageFiles::find(const std::string& path) const {
    const std::string rel = relative(path);
    fs::path at = folder_;
    std::size_t start = 0;
    std::error_code ec;
    while (start <= rel.size()) {
        std::size_t end = rel.find_first_of("\\/", start);
        if (end == std::string::npos)
            end = rel.size();
        const std::string part = rel.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..")
            return std::nullopt; // nothing outside the package is the package's
        std::optional<fs::path> next;
        if (fs::exists(at / part, ec)) {
            next = at / part;
        } else {
            for (fs::directory_iterator it(at, ec), last; !ec && it != last; it.increment(ec)) {
                if (common::sameName(it->path().filename().string(), part)) {
                    next = it->path();
                    break;
                }
            }
        }
        if (!next)
            return std::nullopt;
        at = *next;
    }
    if (!fs::is_regular_file(at, ec))
        return std::nullopt;
    return at;
}

const std::optional<std::string>& PackageFiles::read(const std::string& path) {
    std::string key = relative(path);
    for (char& c : key)
        c = c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto cached = cache_.find(key);
    if (cached != cache_.end())
        return cached->second;
    std::optional<std::string> bytes;
    if (const std::optional<fs::path> host = find(path)) {
        std::ifstream in(*host, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (in)
            bytes = text.str();
    }
    return cache_.emplace(key, std::move(bytes)).first->second;
}

std::string PackageFiles::GetPrivateProfileStringA(const std::string& section,
                                                   const std::string& key,
                                                   const std::string& defaultValue,
                                                   std::size_t bufferSize,
                                                   const std::string& file) {
    // The readers ask many keys of the same files, for every variant, port and flavour.
    auto parsed = parsed_.find(file);
    if (parsed == parsed_.end()) {
        const std::optional<std::string>& text = read(file);
        parsed = parsed_
                     .emplace(file,
                              std::make_unique<common::ParsedProfile>(text ? *text : std::string()))
                     .first;
    }
    return parsed->second->getString(section, key, defaultValue, bufferSize);
}

} // namespace drvsim
