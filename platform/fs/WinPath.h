// Windows-form paths ("C:\Program Files\Velmora") and host paths: on Linux mapped to host folders the
// way Wine maps them; on Windows they are the same paths, in the ANSI code page.
#pragma once

#include <filesystem>
#include <string>

// Drive letters come from $WINEPREFIX/dosdevices (prefix default ~/.wine): "c:" there is a link to
// the drive's folder. Without such a link C: is $WINEPREFIX/drive_c and Z: is the host root "/".
// The environment is read on every call, so a test may point WINEPREFIX at a scratch prefix.
namespace winpath {

// The Wine prefix in force.
std::filesystem::path Prefix();

// Host folder of a drive letter (either case), or an empty path when the drive is not mapped.
std::filesystem::path DriveRoot(char drive);

// Host path of a Windows-form path. '\' and '/' both separate; empty components and "." are
// dropped, ".." steps up but never above the drive root. Each component that exists is matched
// case-insensitively when there is no exact match; the first missing one and all after it are kept
// as written. A path without a drive is taken relative to the current folder. Empty when the drive
// is not mapped or the path is a UNC path.
std::filesystem::path ToHost(const std::string& windowsPath);

// Windows form of a host path: the mapped drive whose folder holds it (the deepest such folder
// wins, Z: only when no other does). A relative host path is made absolute first. A drive root
// comes back with its backslash ("C:\"), anything else without a trailing one.
std::string ToWindows(const std::filesystem::path& hostPath);

// A host path written as program text (a command-line argument): on Linux its bytes as they are, on
// Windows decoded from the ANSI code page (std::filesystem alone would not decode UTF-8 there).
std::filesystem::path FromText(const std::string& text);

} // namespace winpath
