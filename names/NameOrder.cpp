// Sorting the catalogue by folded keys computed once per name.
#include "names/NameOrder.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

namespace namelist {
namespace {

unsigned char Fold(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The part a comparison sees: up to the first NUL, folded.
std::string Key(const std::string& name)
{
    std::string key(name.c_str());
    for (char& c : key)
        c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

int CompareFolded(const std::string& a, const std::string& b)
{
    const auto* p = reinterpret_cast<const unsigned char*>(a.c_str());
    const auto* q = reinterpret_cast<const unsigned char*>(b.c_str());
    for (;; ++p, ++q) {
        const unsigned char x = Fold(*p), y = Fold(*q);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

bool EqualsFolded(const std::string& a, const std::string& b)
{
    return CompareFolded(a, b) == 0;
}

void SortNames(std::vector<std::string>& names)
{
    if (names.size() < 2)
        return;
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(Key(name));
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // std::string compares its bytes as unsigned char, which is the order wanted here.
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) { return keys[x] < keys[y]; });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

} // namespace namelist
