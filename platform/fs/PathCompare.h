// Whether two path texts name the same file as the file system matches names, without asking the disk.
#pragma once

#include <string>

// Equal texts, or texts that differ only in the case of letters the file system matches without
// regard to case (on Linux the drive mapping's: A to Z; on Windows the system's ordinal case-insensitive
// comparison). No separator, "." or ".." is interpreted: compare paths formed the same way.
bool SamePathText(const std::string& a, const std::string& b);
