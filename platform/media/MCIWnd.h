// Hidden .wav player windows driven by messages, one per play request, playing in the background.
#pragma once

#include <cstdint>
#include <string>

#include "platform/core/WinDefs.h"

// A player is a window that is never shown, named by a window handle of the same type as the dialog
// layer's; the media layer owns it until it is destroyed, alone or with the players of its parent. Its
// messages, modes and errors are the player window's own (WinDefs.h).
using HMCIWND = HWND;

// Opens the clip at a Windows-form path and returns a hidden player for it. Never null: a missing or
// unreadable file gives a player in MCI_MODE_NOT_READY whose play fails, as the player window keeps
// its window when the file does not open; no error box is ever shown (a click on "Listen" must not
// be answered by a modal box of the player's own). parent and instance only group players for
// destruction; the style (WS_CHILD) changes nothing visible, since a player never shows a window.
HMCIWND MCIWndCreate(HWND parent, void* instance, unsigned long style, const char* file);

long MCIWndSendMessage(HMCIWND player, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

// Blocks until the player is not playing any more and its audio device has been released.
void MCIWndWaitStopped(HMCIWND player);

// Text of the last failure of this player (opening the clip or the device); empty when none.
std::string MCIWndGetError(HMCIWND player);

// Stops and frees one player, or every player created with this parent.
void MCIWndDestroy(HMCIWND player);
void MCIWndDestroyChildren(HWND parent);
