// Suggestions for a name not in the catalogue: the restricted edit distance over case-folded letters.
#include "names/CloseNames.h"

#include <algorithm>
#include <tuple>

#include "names/NameOrder.h"

namespace namelist {

namespace {

// Letters inserted, deleted, changed or two neighbours swapped to turn a into b; gives up (returns
// limit + 1) once every alignment costs more than limit, so a long catalogue is scanned quickly.
std::size_t SlipDistance(const std::u32string& a, const std::u32string& b, std::size_t limit)
{
    const std::size_t n = a.size(), m = b.size();
    if ((n > m ? n - m : m - n) > limit)
        return limit + 1;
    std::vector<std::size_t> before(m + 1), previous(m + 1), current(m + 1);
    for (std::size_t j = 0; j <= m; ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= n; ++i) {
        current[0] = i;
        std::size_t rowBest = current[0];
        for (std::size_t j = 1; j <= m; ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                current[j] = std::min(current[j], before[j - 2] + 1);
            rowBest = std::min(rowBest, current[j]);
        }
        if (rowBest > limit)
            return limit + 1;
        before.swap(previous);
        previous.swap(current);
    }
    return previous[m];
}

} // namespace

std::vector<std::string> CloseNames(const std::vector<std::string>& catalogue, const std::string& typed,
                                    std::size_t most)
{
    const std::u32string wanted = FoldedText(typed);
    if (wanted.empty() || most == 0)
        return {};
    // A slip a third of the letters long, at least one: "Jon" may become "John" or "Jonas".
    const std::size_t limit = std::max<std::size_t>(1, (wanted.size() + 2) / 3);
    // (how close, slips, catalogue position): a name that begins with what was typed counts as one slip,
    // after the names that really are one slip away.
    std::vector<std::tuple<std::size_t, std::size_t, std::size_t>> found;
    for (std::size_t index = 0; index < catalogue.size(); ++index) {
        const std::u32string name = FoldedText(catalogue[index]);
        if (name == wanted)
            continue;
        const std::size_t slips = SlipDistance(wanted, name, limit);
        std::size_t distance = slips;
        if (name.size() > wanted.size() && name.compare(0, wanted.size(), wanted) == 0)
            distance = std::min<std::size_t>(distance, 1);
        if (distance <= limit)
            found.emplace_back(distance, slips, index);
    }
    const std::size_t kept = std::min(most, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end());
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kept; ++i)
        names.push_back(catalogue[std::get<2>(found[i])]);
    return names;
}

} // namespace namelist
