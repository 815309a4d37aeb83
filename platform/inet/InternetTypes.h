// Numeric types, option numbers, flags and error codes of the internet layer: WinINet's names and
// values, kept with the other Win32 names in platform/core/WinDefs.h. InternetErrors.cpp holds the texts
// of the error codes CInternetException carries.
#pragma once

#include "platform/core/WinDefs.h"
