// Parser for Wine's registry text format: sections, string, dword and hex values, escapes.
#include "platform/registry/linux/CRegistryHive.h"

#include <fstream>
#include <sstream>

namespace {

constexpr std::uint32_t kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4, kRegMultiSz = 7;

bool IsStringType(std::uint32_t type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldText(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        c = Fold(c);
    return folded;
}

// Folded path with empty components dropped: "Software\\\\X\\" and "software\x" are one key.
std::string NormalPath(const std::string& path)
{
    std::string result, part;
    auto flush = [&] {
        if (part.empty())
            return;
        if (!result.empty())
            result += '\\';
        result += FoldText(part);
        part.clear();
    };
    for (char c : path) {
        if (c == '\\')
            flush();
        else
            part += c;
    }
    flush();
    return result;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void AppendCodePoint(std::u16string& out, std::uint32_t cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<char16_t>(cp);
    }
}

// One raw (unescaped) character of the file, read as UTF-8; a byte that starts no valid sequence
// stands for itself as a Latin-1 character.
std::uint32_t ReadUtf8(const std::string& s, size_t& pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    const int extra = b0 >= 0xF0 && b0 < 0xF5   ? 3
                      : b0 >= 0xE0 && b0 < 0xF0 ? 2
                      : b0 >= 0xC2 && b0 < 0xE0 ? 1
                                                : 0;
    if (extra == 0 || pos + extra >= s.size()) {
        ++pos;
        return b0;
    }
    std::uint32_t cp = b0 & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    const std::uint32_t minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
        ++pos;
        return b0;
    }
    pos += extra + 1;
    return cp;
}

std::string ToUtf8(const std::u16string& units)
{
    std::string out;
    for (size_t i = 0; i < units.size(); ++i) {
        std::uint32_t cp = units[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// Reads escaped text up to the unescaped terminator; pos ends after it. Fails without one.
bool ReadEscaped(const std::string& s, size_t& pos, char terminator, std::u16string& out)
{
    while (pos < s.size()) {
        const char c = s[pos];
        if (c == terminator) {
            ++pos;
            return true;
        }
        if (c != '\\') {
            AppendCodePoint(out, ReadUtf8(s, pos));
            continue;
        }
        if (++pos >= s.size())
            return false;
        const char e = s[pos++];
        switch (e) {
        case 'a':
            out += u'\a';
            break;
        case 'b':
            out += u'\b';
            break;
        case 'e':
            out += char16_t(27);
            break;
        case 'f':
            out += u'\f';
            break;
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case 'v':
            out += u'\v';
            break;
        case 'x': {
            unsigned value = 0;
            int digits = 0;
            while (digits < 4 && pos < s.size() && HexDigit(s[pos]) >= 0) {
                value = value * 16 + static_cast<unsigned>(HexDigit(s[pos++]));
                ++digits;
            }
            out += digits ? static_cast<char16_t>(value) : u'x';
            break;
        }
        default:
            if (e >= '0' && e <= '7') {
                unsigned value = static_cast<unsigned>(e - '0');
                for (int digits = 1; digits < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++digits)
                    value = value * 8 + static_cast<unsigned>(s[pos++] - '0');
                out += static_cast<char16_t>(value);
            } else {
                --pos;
                AppendCodePoint(out, ReadUtf8(s, pos));
            }
        }
    }
    return false;
}

bool StartsWith(const std::string& s, size_t pos, const char* prefix)
{
    return s.compare(pos, std::char_traits<char>::length(prefix), prefix) == 0;
}

// "(N):" after "hex" or "str"; N in hex digits.
bool ReadTypeSuffix(const std::string& s, size_t& pos, std::uint32_t& type)
{
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        return true;
    }
    if (pos >= s.size() || s[pos] != '(')
        return false;
    ++pos;
    std::uint32_t value = 0;
    int digits = 0;
    while (pos < s.size() && HexDigit(s[pos]) >= 0 && digits < 8) {
        value = value * 16 + static_cast<std::uint32_t>(HexDigit(s[pos++]));
        ++digits;
    }
    if (!digits || !StartsWith(s, pos, "):"))
        return false;
    pos += 2;
    type = value;
    return true;
}

std::vector<unsigned char> StringData(const std::u16string& units)
{
    const std::string text = ToUtf8(units);
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

// The data part of a value line, after '='.
bool ReadData(const std::string& s, size_t pos, CRegistryHive::Value& value)
{
    if (pos < s.size() && s[pos] == '"') {
        std::u16string units;
        ++pos;
        if (!ReadEscaped(s, pos, '"', units))
            return false;
        value.type = kRegSz;
        value.data = StringData(units);
        return true;
    }
    if (StartsWith(s, pos, "str")) {
        pos += 3;
        std::uint32_t type = kRegSz;
        if (!ReadTypeSuffix(s, pos, type) || pos >= s.size() || s[pos] != '"')
            return false;
        std::u16string units;
        ++pos;
        if (!ReadEscaped(s, pos, '"', units))
            return false;
        value.type = type;
        value.data = StringData(units);
        return true;
    }
    if (StartsWith(s, pos, "dword:")) {
        pos += 6;
        std::uint32_t number = 0;
        int digits = 0;
        while (pos < s.size() && HexDigit(s[pos]) >= 0 && digits < 8) {
            number = number * 16 + static_cast<std::uint32_t>(HexDigit(s[pos++]));
            ++digits;
        }
        if (!digits)
            return false;
        value.type = kRegDword;
        value.data = {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                      static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
        return true;
    }
    if (StartsWith(s, pos, "hex")) {
        pos += 3;
        std::uint32_t type = kRegBinary;
        if (!ReadTypeSuffix(s, pos, type))
            return false;
        std::vector<unsigned char> bytes;
        while (pos < s.size()) {
            const char c = s[pos];
            if (c == ',' || c == ' ' || c == '\t') {
                ++pos;
                continue;
            }
            if (pos + 1 < s.size() && HexDigit(c) >= 0 && HexDigit(s[pos + 1]) >= 0) {
                bytes.push_back(static_cast<unsigned char>(HexDigit(c) * 16 + HexDigit(s[pos + 1])));
                pos += 2;
                continue;
            }
            if (HexDigit(c) >= 0) {
                bytes.push_back(static_cast<unsigned char>(HexDigit(c)));
                ++pos;
                continue;
            }
            return false;
        }
        value.type = type;
        if (IsStringType(type)) {
            // Stored as UTF-16LE; callers of the ANSI interface read it converted.
            std::u16string units;
            for (size_t i = 0; i + 1 < bytes.size(); i += 2)
                units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
            const std::string text = ToUtf8(units);
            value.data.assign(text.begin(), text.end());
        } else {
            value.data = std::move(bytes);
        }
        return true;
    }
    return false;
}

std::string TrimLeft(const std::string& s)
{
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    return s.substr(i);
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.pop_back();
    return s;
}

} // namespace

CRegistryHive CRegistryHive::Parse(const std::string& text)
{
    CRegistryHive hive;
    std::vector<std::string> lines;
    {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(TrimRight(line));
    }
    size_t i = 0;
    while (i < lines.size() && lines[i].empty())
        ++i;
    if (i >= lines.size() || !StartsWith(lines[i], 0, "WINE REGISTRY Version 2"))
        return hive;
    hive.m_keys[""];

    Key* current = nullptr;
    for (++i; i < lines.size(); ++i) {
        std::string line = TrimLeft(lines[i]);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            size_t pos = 1;
            std::u16string units;
            current = nullptr;
            if (!ReadEscaped(line, pos, ']', units))
                continue;
            const std::string path = NormalPath(ToUtf8(units));
            // Every key above a section exists too, even without a section of its own.
            for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
                hive.m_keys[path.substr(0, cut)];
            current = &hive.m_keys[path];
            continue;
        }
        if (!current || (line[0] != '"' && line[0] != '@'))
            continue;
        // Long hex values go on over several lines, each but the last ending in '\'.
        const bool hex = line.find("=hex") != std::string::npos;
        while (hex && line.size() > 1 && line.back() == '\\' && i + 1 < lines.size()) {
            line.pop_back();
            line += TrimLeft(lines[++i]);
        }
        Value value;
        size_t pos = 1;
        if (line[0] == '"') {
            std::u16string units;
            if (!ReadEscaped(line, pos, '"', units))
                continue;
            value.name = ToUtf8(units);
        }
        if (pos >= line.size() || line[pos] != '=')
            continue;
        if (!ReadData(line, pos + 1, value))
            continue;
        const std::string folded = FoldText(value.name);
        bool replaced = false;
        for (Value& old : current->values)
            if (FoldText(old.name) == folded) {
                old = value;
                replaced = true;
            }
        if (!replaced)
            current->values.push_back(std::move(value));
    }
    return hive;
}

std::optional<CRegistryHive> CRegistryHive::Load(const std::string& hostPath)
{
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return Parse(text.str());
}

const CRegistryHive::Key* CRegistryHive::FindKey(const std::string& path) const
{
    const auto it = m_keys.find(NormalPath(path));
    return it == m_keys.end() ? nullptr : &it->second;
}

const CRegistryHive::Value* CRegistryHive::FindValue(const Key& key, const std::string& name)
{
    const std::string folded = FoldText(name);
    for (const Value& value : key.values)
        if (FoldText(value.name) == folded)
            return &value;
    return nullptr;
}
