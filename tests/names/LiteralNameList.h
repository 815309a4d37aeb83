// The catalogue rules written out step by step, quadratic as they stand: the oracle the fast
// versions must match exactly.
#pragma once

#include <cstring>
#include <string>
#include <vector>

namespace literal {

inline std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

inline int Compare(const std::string& a, const std::string& b)
{
    const int r = std::strcmp(a.c_str(), b.c_str()); // unsigned bytes, to the first NUL
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

inline void BubbleSort(std::vector<std::string>& names)
{
    if (names.size() < 2)
        return;
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (size_t i = 1; i < names.size(); ++i) {
            if (Compare(Lower(names[i - 1]), Lower(names[i])) > 0) {
                std::swap(names[i - 1], names[i]);
                exchanged = true;
            }
        }
    }
}

// The element reader's "Read".
inline std::string Read(const std::string& text, const std::string& tag)
{
    const std::string open = "<" + tag + ">", close = "</" + tag + ">";
    const size_t o = text.find(open), c = text.find(close);
    if (o == std::string::npos || c == std::string::npos)
        return "Value not found.";
    const long start = static_cast<long>(o + tag.size() + 2);
    const long length = static_cast<long>(c) - start;
    if (length <= 0)
        return "";
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

// Item by item, cutting the front of the reply each time; items without a displayname skipped.
inline void ItemNames(std::string reply, std::vector<std::string>& names)
{
    for (;;) {
        const std::string item = Read(reply, "item");
        if (item == "Value not found.")
            return;
        reply.erase(0, reply.find("</item>") + 7);
        const bool named = item.find("<displayname>") != std::string::npos &&
                           item.find("</displayname>") != std::string::npos;
        if (named)
            names.push_back(Read(item, "displayname"));
    }
}

} // namespace literal
