// A list of names in a text file, one a line, as `--from FILE` reads it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

// The names of a list file's bytes: UTF-8 (a byte-order mark allowed), a name a line (LF or CR LF),
// blanks around a name dropped, blank lines and lines starting with '#' ignored, a name given twice
// kept once, where it first stands. Nothing, with the reason in error, when the text is not UTF-8
// (a file saved as UTF-16 is told so).
std::optional<std::vector<std::string>> ParseNameList(const std::string& bytes, std::string& error);

} // namespace cli
