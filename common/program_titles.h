// The titles the setup's and the uninstaller's windows carry, by which each
// finds the other (and a second copy of itself) on the desktop. The Chinese
// ones are in code page 936, as the Chinese edition's windows carry them.
#pragma once

namespace common {

inline constexpr const char* setupTitle = "Tessaly";
inline constexpr const char* setupChineseTitle =
    "\xB4\xF2\xD3\xA1\xBB\xFA\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2";
inline constexpr const char* uninstallTitle = "Uninstall";
inline constexpr const char* uninstallChineseTitle =
    "\xB4\xF2\xD3\xA1\xBB\xFA\xD0\xB6\xD4\xD8\xB3\xCC\xD0\xF2";

} // namespace common
