// Conversions between the archive's forms and the program's: DOS times, host-system attributes.
#pragma once

#include <cstdint>
#include <ctime>

namespace zipconv {

// Host-system codes in the high byte of "version made by".
constexpr int kSystemDos = 0;
constexpr int kSystemUnix = 3;
constexpr int kSystemOs2 = 6;
constexpr int kSystemMac = 7;
constexpr int kSystemNtfs = 10;
constexpr int kOwnSystem = kSystemDos;

bool IsKnownSystem(int system);

// Local time -> DOS fields; a time the local-time conversion refuses gives 1 Jan 1980, 00:00.
void TimeToDos(std::time_t time, uint16_t& dosTime, uint16_t& dosDate);
// DOS fields -> calendar time, taken as local time (daylight saving decided by the conversion).
std::time_t DosToTime(uint16_t dosTime, uint16_t dosDate);

// Attributes from system `from` to system `to` (unchanged when equal or either is 11 or more).
// A system without converter (1, 2, 4, 5, 8, 9) throws CZipException 115.
uint32_t ConvertAttributes(uint32_t attributes, int from, int to);

} // namespace zipconv
