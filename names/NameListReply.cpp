// Reading the item elements with offsets instead of cutting the front of the text each time.
#include "names/NameListReply.h"

#include <string_view>

#include "service/ServiceTexts.h"

namespace namelist {
namespace {

constexpr const char* kNotFound = service::kValueNotFound;

// The first occurrence at or after from, remembered while it stays valid: from only grows, so a
// remembered position at or after from is still the first one.
struct Finder
{
    const std::string& text;
    std::string tag;
    size_t cached = 0;
    bool valid = false;

    size_t Next(size_t from)
    {
        if (!valid || (cached != std::string::npos && cached < from)) {
            cached = text.find(tag, from);
            valid = true;
        }
        return cached;
    }
};

// The element reader's "Read" within text[begin, end): first opening and first closing tag, both
// searched from begin; false when either is missing there.
bool ReadElement(const std::string& text, size_t begin, size_t end, const std::string& tag,
                 std::string& content)
{
    const std::string open = "<" + tag + ">", close = "</" + tag + ">";
    const std::string_view view(text.data() + begin, end - begin);
    const size_t o = view.find(open), c = view.find(close);
    if (o == std::string_view::npos || c == std::string_view::npos)
        return false;
    const size_t start = o + open.size();
    content = c > start ? std::string(view.substr(start, c - start)) : std::string();
    return true;
}

} // namespace

void AppendItemNames(const std::string& rmContent, std::vector<std::string>& names)
{
    Finder opens{rmContent, "<item>"}, closes{rmContent, "</item>"};
    size_t rest = 0;
    while (rest <= rmContent.size()) {
        const size_t open = opens.Next(rest), close = closes.Next(rest);
        if (open == std::string::npos || close == std::string::npos)
            return;
        const size_t start = open + 6;
        rest = close + 7;
        if (close <= start)
            continue; // an empty content holds no displayname
        if (rmContent.compare(start, close - start, kNotFound) == 0)
            return;
        std::string name;
        if (ReadElement(rmContent, start, close, "displayname", name))
            names.push_back(std::move(name));
    }
}

} // namespace namelist
