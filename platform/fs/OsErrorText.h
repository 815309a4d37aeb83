// The operating system's own words for one of its error numbers (internal to the file layer).
#pragma once

#include <string>

// errno on Linux, GetLastError on Windows; never empty.
std::string OsErrorText(long error);
