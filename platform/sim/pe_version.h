// The FileVersion text of a Windows executable's version resource, read from
// the file's bytes as GetFileVersionInfoA and VerQueryValueA find it:
// the RT_VERSION resource with id 1 (its first language), the first
// translation of \VarFileInfo\Translation, then
// \StringFileInfo\<language><code page>\FileVersion.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::sim {

enum class VersionResult {
    Ok,
    NotExecutable, // no PE image (ERROR_BAD_EXE_FORMAT)
    NoResources,   // no resource section (ERROR_RESOURCE_DATA_NOT_FOUND)
    NoVersion,     // no RT_VERSION resource (ERROR_RESOURCE_TYPE_NOT_FOUND)
    NoVersionId,   // no resource id 1 of that type (ERROR_RESOURCE_NAME_NOT_FOUND)
    Malformed,     // a structure runs past its bounds
    NoTranslation, // VerQueryValue "\VarFileInfo\Translation" fails
    NoFileVersion, // the first translation has no FileVersion string
};

// `fileVersion` is narrowed to 8 bits as the ANSI call does for Western code
// pages (characters above U+00FF become '?'). Never reads outside the bytes.
VersionResult readFileVersion(const std::uint8_t* data, std::size_t size, std::string& fileVersion);

// The Win32 error GetFileVersionInfoA / VerQueryValueA leave for a result.
std::uint32_t versionResultError(VersionResult result);

} // namespace platform::sim
