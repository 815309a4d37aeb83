// What media/linux/ and media/windows/ must each define: the player layer's backend contract (internal).
#pragma once

#include <cstdint>
#include <string>

#include "platform/media/MCIWnd.h"

// Every call is the backend's: SDL2 audio behind hidden players on Linux, the system's player window
// (vfw32) on Windows. No error box may ever show.
HMCIWND MCIWndCreate(HWND parent, void* instance, unsigned long style, const char* file); // never null
long MCIWndSendMessage(HMCIWND player, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
void MCIWndWaitStopped(HMCIWND player);     // until not playing and the device is released
std::string MCIWndGetError(HMCIWND player); // the last failure's text; empty when none
void MCIWndDestroy(HMCIWND player);         // stops and frees one player
void MCIWndDestroyChildren(HWND parent);    // every player created with this parent
