// Window titles and Motif frame hints written to the X11 window manager for dialog windows.
#include "platform/ui/linux/WindowFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"

namespace ui::detail {

namespace {

inline constexpr const char* kKeptStyleProperty = "zentrimo.frameStyle";

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

void WriteFrame(QWidget& window, const WindowFrame& frame)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr; // none on other platforms
    if (!connection || !window.testAttribute(Qt::WA_WState_Created))
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_atom_t motif = Atom(connection, "_MOTIF_WM_HINTS");
    const xcb_atom_t netName = Atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(connection, "UTF8_STRING");
    const std::uint32_t hints[5] = {frame.hints.flags, frame.hints.functions, frame.hints.decorations, 0, 0};
    if (motif != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, motif, motif, 32, 5, hints);
    // Both names carry UTF-8, as Qt writes them, so an accented caption reads the same in either.
    const auto length = static_cast<std::uint32_t>(frame.title.size());
    const xcb_atom_t text = utf8 != XCB_ATOM_NONE ? utf8 : static_cast<xcb_atom_t>(XCB_ATOM_STRING);
    if (netName != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, netName, text, 8, length,
                            frame.title.data());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, text, 8, length,
                        frame.title.data());
    xcb_flush(connection);
}

// Writes the frame again after each of Qt's own writes: when the native window is made (Qt then
// sets its hints and title) and when the title changes.
class FrameKeeper : public QObject
{
public:
    explicit FrameKeeper(QWidget& window) : QObject(&window), m_window(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window &&
            (event->type() == QEvent::WinIdChange || event->type() == QEvent::WindowTitleChange))
            if (const std::optional<WindowFrame> frame = KeptWindowFrame(m_window))
                WriteFrame(m_window, *frame);
        return false;
    }

private:
    QWidget& m_window;
};

} // namespace

MotifHints MotifHintsFor(DWORD style)
{
    MotifHints hints;
    hints.flags = kMotifHintFunctions | kMotifHintDecorations;
    if (style & (WS_BORDER | WS_THICKFRAME | DS_MODALFRAME))
        hints.decorations |= kMotifDecorBorder;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        hints.decorations |= kMotifDecorBorder | kMotifDecorTitle;
        hints.functions |= kMotifFuncMove;
    }
    if (style & WS_THICKFRAME) {
        hints.decorations |= kMotifDecorResizeHandle;
        hints.functions |= kMotifFuncResize;
    }
    if (style & WS_SYSMENU) {
        hints.decorations |= kMotifDecorMenu;
        hints.functions |= kMotifFuncClose;
        if (style & WS_MINIMIZEBOX) {
            hints.decorations |= kMotifDecorMinimize;
            hints.functions |= kMotifFuncMinimize;
        }
        if (style & WS_MAXIMIZEBOX) {
            hints.decorations |= kMotifDecorMaximize;
            hints.functions |= kMotifFuncMaximize;
        }
    }
    return hints;
}

void KeepWindowFrame(QWidget& window, DWORD style)
{
    const bool kept = window.property(kKeptStyleProperty).isValid();
    window.setProperty(kKeptStyleProperty, QVariant::fromValue<DWORD>(style));
    if (!kept)
        window.installEventFilter(new FrameKeeper(window));
    if (const std::optional<WindowFrame> frame = KeptWindowFrame(window))
        WriteFrame(window, *frame);
}

std::optional<WindowFrame> KeptWindowFrame(const QWidget& window)
{
    const QVariant style = window.property(kKeptStyleProperty);
    if (!style.isValid())
        return std::nullopt;
    return WindowFrame{FromQt(window.windowTitle()), MotifHintsFor(style.value<DWORD>())};
}

} // namespace ui::detail
