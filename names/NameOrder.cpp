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

namespace {

// The lower-case partner of the capitals of the scripts names come in (Latin, Greek, Cyrillic); every
// other character is its own.
char32_t FoldLetter(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
        (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x178)
        return 0xFF;
    // Greek capitals with tonos.
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C)
        return 0x3CC;
    if (c == 0x38E || c == 0x38F)
        return c + 0x3F;
    // Latin Extended-A pairs capital and small: even-odd, but odd-even from Ĺ to Ň and from Ź to Ž.
    if ((c >= 0x100 && c <= 0x137 && c != 0x130) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c + 1 : c;
    return c;
}

// The next character of UTF-8 text, folded; a byte that starts no well-formed sequence stands for
// itself (offset past the code points), so text in another encoding still compares byte by byte.
char32_t NextFolded(const unsigned char*& p)
{
    const unsigned char lead = *p;
    int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    char32_t c = length == 1   ? lead
                 : length == 2 ? (lead & 0x1F)
                 : length == 3 ? (lead & 0x0F)
                               : (lead & 0x07);
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            length = 0;
            break;
        }
        c = (c << 6) | (p[i] & 0x3F);
    }
    if (length == 0) {
        ++p;
        return 0x110000 + lead;
    }
    p += length;
    return FoldLetter(c);
}

} // namespace

bool EqualsFolded(const std::string& a, const std::string& b)
{
    const auto* p = reinterpret_cast<const unsigned char*>(a.c_str());
    const auto* q = reinterpret_cast<const unsigned char*>(b.c_str());
    while (*p && *q)
        if (NextFolded(p) != NextFolded(q))
            return false;
    return *p == *q;
}

std::u32string FoldedText(const std::string& text)
{
    std::u32string folded;
    const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
    while (*p)
        folded.push_back(NextFolded(p));
    return folded;
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
