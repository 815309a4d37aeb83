// Window and control style bits used by dialog templates: Win32 names, kept with the others in
// platform/core/WinDefs.h.
#pragma once

#include "platform/ui/WinTypes.h"
