// iconv-based conversions between the ANSI and OEM code pages.
#include "platform/codepage/detail/CodePageBackend.h"

#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>

namespace codepage {
namespace {

bool IsAscii(const std::string& text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

bool SameCharset(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// One conversion through iconv; false when any character fails (no transliteration, no skipping).
bool Convert(const std::string& from, const std::string& to, const std::string& in, std::string& out)
{
    if (IsAscii(in) || SameCharset(from, to)) {
        out = in;
        return true;
    }
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string result(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = result.data();
    size_t outLeft = result.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                const size_t used = result.size() - outLeft;
                result.resize(result.size() * 2);
                outPtr = result.data() + used;
                outLeft = result.size() - used;
                continue;
            }
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok)
        return false;
    result.resize(result.size() - outLeft);
    out = result;
    return true;
}

} // namespace

std::string AnsiCharset()
{
    const char* codeset = nl_langinfo(CODESET);
    if (codeset == nullptr || *codeset == '\0' || std::strcmp(codeset, "ANSI_X3.4-1968") == 0)
        return "UTF-8";
    return codeset;
}

bool AnsiToOem(const std::string& ansi, std::string& out)
{
    return Convert(AnsiCharset(), "CP437", ansi, out);
}

bool OemToAnsi(const std::string& oem, std::string& out)
{
    return Convert("CP437", AnsiCharset(), oem, out);
}

bool Cp437ToAnsi(const std::string& cp437, std::string& out)
{
    return OemToAnsi(cp437, out);
}

bool AnsiToUtf8(const std::string& ansi, std::string& out)
{
    return Convert(AnsiCharset(), "UTF-8", ansi, out);
}

bool Utf8ToAnsi(const std::string& utf8, std::string& out)
{
    return Convert("UTF-8", AnsiCharset(), utf8, out);
}

} // namespace codepage
