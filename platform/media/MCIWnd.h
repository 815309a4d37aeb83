// Hidden .wav player windows driven by messages, one per play request, playing in the background.
#pragma once

#include <cstdint>
#include <string>

#ifdef _WIN32

// The system's player window (vfw32): its messages, modes and errors come from the SDK. The creation
// and destruction below replace the SDK's macros of the same names.
#include <windows.h>
#include <vfw.h>
#undef MCIWndCreate
#undef MCIWndDestroy
#undef MCIWndGetError
using HMCIWND = HWND;

#else

// A player is a window that is never shown, named by a window handle of the same type as the dialog
// layer's; the media layer owns it until it is destroyed, alone or with the players of its parent.
struct HWND__;
using HWND = HWND__*;
using HMCIWND = HWND;

// Messages a player understands (the player window's own numbering).
constexpr unsigned MCIWNDM_GETMODEA = 0x46A;       // result: one of the MCI_MODE_ values
constexpr unsigned MCIWNDM_SETTIMEFORMATA = 0x477; // lParam: const char* "ms"; result 0 or an MCIERR_
constexpr unsigned MCI_PLAY = 0x806;               // starts playback and returns at once; 0 or an MCIERR_
constexpr unsigned MCI_STOP = 0x808;

constexpr long MCI_MODE_NOT_READY = 524; // the file could not be opened as a wave clip
constexpr long MCI_MODE_STOP = 525;
constexpr long MCI_MODE_PLAY = 526;

constexpr long MCIERR_HARDWARE = 262;       // no audio device could be opened
constexpr long MCIERR_FILE_NOT_FOUND = 275; // no readable wave clip behind the player
constexpr long MCIERR_BAD_TIME_FORMAT = 293;
constexpr long MCIERR_UNRECOGNIZED_COMMAND = 261;

#endif // _WIN32

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
