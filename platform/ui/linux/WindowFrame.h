// What the window manager is told about a dialog's window: its exact title and which frame buttons
// and window functions its style gives it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/WinTypes.h"

class QWidget;

namespace ui::detail {

// The Motif window-manager hints: the property through which X11 window managers learn which
// decorations and functions a window wants. A window that sets both fields gets exactly those.
struct MotifHints
{
    std::uint32_t flags = 0;
    std::uint32_t functions = 0;
    std::uint32_t decorations = 0;
    bool operator==(const MotifHints&) const = default;
};

inline constexpr std::uint32_t kMotifHintFunctions = 1 << 0;
inline constexpr std::uint32_t kMotifHintDecorations = 1 << 1;
inline constexpr std::uint32_t kMotifFuncResize = 1 << 1;
inline constexpr std::uint32_t kMotifFuncMove = 1 << 2;
inline constexpr std::uint32_t kMotifFuncMinimize = 1 << 3;
inline constexpr std::uint32_t kMotifFuncMaximize = 1 << 4;
inline constexpr std::uint32_t kMotifFuncClose = 1 << 5;
inline constexpr std::uint32_t kMotifDecorBorder = 1 << 1;
inline constexpr std::uint32_t kMotifDecorResizeHandle = 1 << 2;
inline constexpr std::uint32_t kMotifDecorTitle = 1 << 3;
inline constexpr std::uint32_t kMotifDecorMenu = 1 << 4;
inline constexpr std::uint32_t kMotifDecorMinimize = 1 << 5;
inline constexpr std::uint32_t kMotifDecorMaximize = 1 << 6;

// The frame a top-level window of this style has: a title bar and moving with WS_CAPTION; the
// system menu and its close box with WS_SYSMENU; minimise and maximise boxes only with the system
// menu and their own bits; a sizing border only with WS_THICKFRAME.
MotifHints MotifHintsFor(DWORD style);

struct WindowFrame
{
    std::string title; // UTF-8, exactly the caption: an empty one stays empty
    MotifHints hints;
};

// Keeps window's title and frame as its style says, on X11: Qt would name an untitled window after
// the application and, for a window with none of the minimise, maximise and close buttons, ask the
// window manager for all of them. Written each time the native window is made or its title set;
// nothing to do on other platforms.
void KeepWindowFrame(QWidget& window, DWORD style);

// The frame kept for window, nullopt when KeepWindowFrame was not called for it.
std::optional<WindowFrame> KeptWindowFrame(const QWidget& window);

} // namespace ui::detail
