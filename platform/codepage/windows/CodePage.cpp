// Conversions between the system's ANSI and OEM code pages through UTF-16.
#include "platform/codepage/detail/CodePageBackend.h"

#include "platform/core/WinDefs.h"

namespace codepage {
namespace {

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

// Text in code page to UTF-16; false when a byte sequence is not valid there.
bool ToWide(UINT page, const std::string& in, std::wstring& out)
{
    const int size = static_cast<int>(in.size());
    const int needed = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (needed <= 0)
        return false;
    out.assign(static_cast<size_t>(needed), L'\0');
    return MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, in.data(), size, out.data(), needed) == needed;
}

// UTF-16 to code page; false when a character has no exact form there (no best fit, no substitute).
bool FromWide(UINT page, const std::wstring& in, std::string& out)
{
    const int size = static_cast<int>(in.size());
    const bool utf8 = page == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int needed = WideCharToMultiByte(page, flags, in.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (needed <= 0 || usedDefault)
        return false;
    std::string result(static_cast<size_t>(needed), '\0');
    if (WideCharToMultiByte(page, flags, in.data(), size, result.data(), needed, nullptr, usedDefaultOut) !=
            needed ||
        usedDefault)
        return false;
    out = result;
    return true;
}

bool Convert(UINT from, UINT to, const std::string& in, std::string& out)
{
    if (IsAscii(in) || from == to) {
        out = in;
        return true;
    }
    std::wstring wide;
    return ToWide(from, in, wide) && FromWide(to, wide, out);
}

// The system locale's OEM code page. GetOEMCP() is not it: a process whose manifest asks for UTF-8 gets
// 65001 for both of its code pages, while names in archives keep the OEM code page of the system.
UINT OemPage()
{
    DWORD page = 0;
    if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTCODEPAGE | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<char*>(&page), sizeof page / sizeof(char)) == 0 ||
        page == 0 || page == CP_UTF8)
        return 437;
    return page;
}

} // namespace

std::string AnsiCharset()
{
    const UINT page = GetACP();
    return page == CP_UTF8 ? std::string("UTF-8") : "CP" + std::to_string(page);
}

bool AnsiToOem(const std::string& ansi, std::string& out)
{
    return Convert(GetACP(), OemPage(), ansi, out);
}

bool OemToAnsi(const std::string& oem, std::string& out)
{
    return Convert(OemPage(), GetACP(), oem, out);
}

bool Cp437ToAnsi(const std::string& cp437, std::string& out)
{
    return Convert(437, GetACP(), cp437, out);
}

bool AnsiToUtf8(const std::string& ansi, std::string& out)
{
    return Convert(GetACP(), CP_UTF8, ansi, out);
}

bool Utf8ToAnsi(const std::string& utf8, std::string& out)
{
    return Convert(CP_UTF8, GetACP(), utf8, out);
}

} // namespace codepage
