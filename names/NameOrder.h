// The catalogue's order (ascending, ignoring the case of the letters A to Z) and the equality of typed names.
#pragma once

#include <string>
#include <vector>

namespace namelist {

// Compares lower-cased copies byte by byte as unsigned values, up to the first NUL; only A-Z are
// folded, every other byte compares by value. Negative, zero or positive.
int CompareFolded(const std::string& a, const std::string& b);

// Equal up to the first NUL, ignoring the case of the letters of the Latin, Greek and Cyrillic scripts in
// UTF-8 ("łukasz" is "Łukasz", "ÉMILE" is "Émile"); bytes that are not UTF-8 compare by value.
bool EqualsFolded(const std::string& a, const std::string& b);

// The characters of UTF-8 text with the case of those scripts folded, as EqualsFolded compares them (a byte
// that starts no well-formed sequence stands for itself, above every code point).
std::u32string FoldedText(const std::string& text);

// Sorts by CompareFolded; names that compare equal keep their order, and every name stays exactly
// as given. The same result as exchanging neighbours until none is out of order, in n log n.
void SortNames(std::vector<std::string>& names);

} // namespace namelist
