// UTF-8 to UTF-16 and back, and reading a window's text.
#include "platform/ui/windows/WideText.h"

#include <vector>

namespace ui::detail {

std::wstring ToWide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string FromWide(const wchar_t* text, int length)
{
    if (!text || length == 0)
        return std::string();
    if (length < 0)
        length = static_cast<int>(wcslen(text));
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

std::string WindowText(HWND hWnd)
{
    if (!hWnd)
        return std::string();
    const int length = GetWindowTextLengthW(hWnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hWnd, buffer.data(), length + 1);
    return FromWide(buffer.data(), got);
}

} // namespace ui::detail
