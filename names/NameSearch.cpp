// Exact pass, then the first name after the text, else the last.
#include "names/NameSearch.h"

#include "names/NameOrder.h"

namespace namelist {

SearchHit FindSearchHit(const std::vector<std::string>& names, const std::string& text)
{
    SearchHit hit;
    if (names.empty())
        return hit;
    for (size_t j = 0; j < names.size(); ++j) {
        if (EqualsFolded(names[j], text)) {
            hit.index = static_cast<int>(j);
            hit.exact = true;
            return hit;
        }
    }
    for (size_t k = 0; k < names.size(); ++k) {
        if (CompareFolded(text, names[k]) < 0) {
            hit.index = static_cast<int>(k);
            return hit;
        }
    }
    hit.index = static_cast<int>(names.size() - 1);
    return hit;
}

} // namespace namelist
