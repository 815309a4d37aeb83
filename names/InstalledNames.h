// The recorded names of a names folder and of a transfer archive.
#pragma once

#include <string>
#include <vector>

namespace namelist {

// The names installed in namesFolder, in listing order: a name N is installed when N^.wav is there (any
// entry whose name holds "^.wav" counts, folders included, and loses its last five characters); hidden
// entries (our temporaries among them, ".N^.wav.~XXXXXX") are no recordings.
std::vector<std::string> InstalledNames(const std::string& namesFolder);

// The names a transfer archive or package holds, in entry order: each file entry N^.wav gives N. ZIP and
// file errors travel out.
std::vector<std::string> ArchivedNames(const std::string& archive);

} // namespace namelist
