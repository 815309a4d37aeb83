// The type-ahead search: which list item follows the text in the search box.
#pragma once

#include <string>
#include <vector>

namespace namelist {

struct SearchHit
{
    int index = -1;     // the item to select; -1 only for an empty list
    bool exact = false; // a name equals the text, ignoring the case of A-Z
};

// The first name equal to text ignoring case; else the first name that text sorts before
// (CompareFolded); else the last name.
SearchHit FindSearchHit(const std::vector<std::string>& names, const std::string& text);

} // namespace namelist
