// Path texts compared as NTFS matches names: the system's ordinal comparison without case, in UTF-16.
#include "platform/fs/PathCompare.h"

#include <windows.h>

#include <string>

namespace {

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace

bool SamePathText(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    const std::wstring x = Wide(a), y = Wide(b);
    return CompareStringOrdinal(x.data(), static_cast<int>(x.size()), y.data(), static_cast<int>(y.size()),
                                TRUE) == CSTR_EQUAL;
}
