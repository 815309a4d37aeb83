// The names in a ListPackages reply: the displayname of each item element inside rm.
#pragma once

#include <string>
#include <vector>

namespace namelist {

// Walks the item elements of rmContent (the content of the reply's rm element) as the service
// client's element reader sees them, repeatedly: the first "<item>" and the first "</item>" of the
// rest, then the rest after that "</item>". Appends the displayname of each item to names, after
// the names already there. Stops when an opening or closing item tag is missing or an item's
// content is exactly "Value not found."; items without a displayname are skipped. Linear in the
// length of the text.
void AppendItemNames(const std::string& rmContent, std::vector<std::string>& names);

} // namespace namelist
