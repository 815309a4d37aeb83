// The names in a folder, looked up ignoring case: a listing per folder kept current by inotify.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// Mapping a missing name must know whether the folder holds a case variant of it. Reading the folder
// for each such name makes writing N new files into one folder quadratic, so a few folders' listings
// are kept, each with an inotify watch that reports every entry created, removed or renamed there by
// any process; the watch's events are applied before each answer. A folder on a file system whose
// changes inotify may not see (a network or FUSE one), or a process out of watches, is read afresh
// for each question, as without the cache. Thread-safe.
namespace winpath {

// The name of an entry of folder equal to name ignoring case (A to Z only, as the drive mapping folds), or
// nothing when there is none or the folder cannot be read. Among several such entries, the one the folder
// listed first.
std::optional<std::string> EntryIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// How many times this process has read a folder's entries to answer EntryIgnoringCase.
uint64_t FolderListingsRead();

} // namespace winpath
