// The Win32 names the dialog layer speaks in (platform/core/WinDefs.h) and the two identifiers the SDK
// leaves to application frameworks.
#pragma once

#include "platform/core/WinDefs.h"

constexpr int IDC_STATIC = -1;
constexpr UINT ID_HELP = 0xE146;
