// Finding Velmora's installation folder: configuration entry, default location, search of a drive.
#pragma once

#include <string>

namespace velmora {

inline constexpr const char* kExecutableName = "Velmora.exe";
inline constexpr const char* kDefaultFolder = "C:\\Program Files\\Velmora";
inline constexpr const char* kConfigurationKey = "SOFTWARE\\Olvastine\\Velmora";
inline constexpr const char* kConfigurationValue = "InstallPath";

// The installation folder, or "" when none is found: the configuration entry's text as stored
// when something of that name exists (the entry is opened for reading, in the native view or else
// the 32-bit one), else the default folder when it holds the executable, else SearchFolder("C:").
// Shows nothing.
std::string LocateFolder();

// Depth-first search of folder (no trailing backslash) in listing order: each subfolder is
// searched before its own name is compared, and the first entry named exactly "Velmora.exe"
// (case-sensitive) gives its parent folder. Folders that cannot be listed count as empty and the
// search goes on past them. A link to a folder is not followed to the folder being listed or one
// above it, nor to a folder already entered through a link, so link cycles end. The search keeps
// to the drive: it does not enter pseudo file systems (proc, sysfs, devtmpfs) nor follow a link to
// the drive's root or a folder above it ("/", the prefix); other links are followed.
std::string SearchFolder(const std::string& folder);

// The names folder of a Velmora folder, joined as plain text (a trailing backslash stays doubled).
std::string NamesFolder(const std::string& velmoraFolder);

// A picked folder as the location boxes show it: with a trailing backslash ("" stays "").
std::string WithTrailingBackslash(const std::string& folder);

// Does folder (ending in a backslash) hold the executable?
bool HoldsExecutable(const std::string& folderWithBackslash);

} // namespace velmora
