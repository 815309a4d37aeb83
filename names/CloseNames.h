// Names of the catalogue close to a name that is not in it, to suggest instead ("Jon": "John", "Jonas").
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace namelist {

// Up to `most` names of the catalogue that a typing slip away from `typed`, closest first: names that
// differ by at most about a third of their letters (a letter missing, extra, changed or two swapped),
// and names that begin with `typed`. Case is ignored as EqualsFolded ignores it; among equally close
// names the catalogue's order holds. Names equal to `typed` are not suggested.
std::vector<std::string> CloseNames(const std::vector<std::string>& catalogue, const std::string& typed,
                                    std::size_t most = 3);

} // namespace namelist
