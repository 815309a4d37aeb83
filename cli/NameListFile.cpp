// Reading a list of names: UTF-8 lines, comments and blank lines skipped, duplicates once.
#include "cli/NameListFile.h"

#include <unordered_set>

#include "platform/codepage/CodePage.h"

namespace cli {

namespace {

std::string Trimmed(const std::string& line)
{
    const char* blanks = " \t\r\f\v";
    const size_t first = line.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

} // namespace

std::optional<std::vector<std::string>> ParseNameList(const std::string& bytes, std::string& error)
{
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        error = "the list is UTF-16 text; save it as UTF-8";
        return std::nullopt;
    }
    std::string text = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
    if (!codepage::IsUtf8(text)) {
        error = "the list is not UTF-8 text";
        return std::nullopt;
    }
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string name = Trimmed(text.substr(start, end - start));
        if (!name.empty() && name.front() != '#' && seen.insert(name).second)
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

} // namespace cli
