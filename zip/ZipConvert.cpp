// DOS time and host-system attribute conversions.
#include "zip/ZipConvert.h"

#include "zip/CZipException.h"

namespace zipconv {
namespace {

bool HasConverter(int system)
{
    return system == kSystemDos || system == kSystemUnix || system == kSystemOs2 || system == kSystemMac ||
           system == kSystemNtfs;
}

uint32_t FromSystem(uint32_t value, int system)
{
    if (system == kSystemMac)
        return value & 0x11;
    if (system != kSystemUnix)
        return value;
    uint32_t result = 0;
    if (value & 0x40000000)
        result |= 0x10;
    const uint32_t owner = (value >> 22) & 7;
    if (!(owner & 1))
        result |= 0x20;
    if (!(owner & 2))
        result |= 0x01;
    if (!(owner & 4))
        result |= 0x02;
    return result;
}

uint32_t ToSystem(uint32_t value, int system)
{
    if (system == kSystemMac)
        return value & 0x11;
    if (system != kSystemUnix)
        return value;
    uint32_t result = (value & 0x02) ? 0 : 0x01240000;
    if (!(value & 0x01))
        result |= 0x00900000;
    result |= (value & 0x10) ? 0x40000010 : 0x80000000;
    return result;
}

} // namespace

bool IsKnownSystem(int system)
{
    return HasConverter(system);
}

void TimeToDos(std::time_t time, uint16_t& dosTime, uint16_t& dosDate)
{
    std::tm local{};
#ifdef _WIN32
    const bool converted = localtime_s(&local, &time) == 0;
#else
    const bool converted = localtime_r(&time, &local) != nullptr;
#endif
    if (!converted) {
        dosDate = 33;
        dosTime = 0;
        return;
    }
    const int year = local.tm_year + 1900;
    const unsigned yearField = year <= 1980 ? 0 : static_cast<unsigned>(year - 1980) & 0x7F;
    dosDate = static_cast<uint16_t>(yearField * 512 + static_cast<unsigned>(local.tm_mon + 1) * 32 +
                                    static_cast<unsigned>(local.tm_mday));
    dosTime = static_cast<uint16_t>(static_cast<unsigned>(local.tm_hour) * 2048 +
                                    static_cast<unsigned>(local.tm_min) * 32 +
                                    static_cast<unsigned>(local.tm_sec) / 2);
}

std::time_t DosToTime(uint16_t dosTime, uint16_t dosDate)
{
    std::tm local{};
    local.tm_sec = 2 * (dosTime & 0x1F);
    local.tm_min = (dosTime >> 5) & 0x3F;
    local.tm_hour = dosTime >> 11;
    local.tm_mday = dosDate & 0x1F;
    local.tm_mon = ((dosDate >> 5) & 0x0F) - 1;
    local.tm_year = 1980 + (dosDate >> 9) - 1900;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

uint32_t ConvertAttributes(uint32_t attributes, int from, int to)
{
    if (from == to || from >= 11 || to >= 11)
        return attributes;
    if (!HasConverter(from) || !HasConverter(to))
        throw CZipException(ZipErrorPlatformNotSupported);
    return ToSystem(FromSystem(attributes, from), to);
}

} // namespace zipconv
