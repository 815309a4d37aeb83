// Shared inside the dialog layer only: handle conversion, widget properties, text conversion.
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/ui/WinTypes.h"
#include "platform/ui/linux/WidgetOf.h"

class CWnd;
class CDialog;

struct HICON__
{
    UINT id;
    QIcon icon;
    QPixmap large; // 32x32
    QPixmap small; // 16x16
};

namespace ui::detail {

inline QWidget* ToWidget(HWND hWnd)
{
    return reinterpret_cast<QWidget*>(hWnd);
}
inline HWND ToHwnd(QWidget* widget)
{
    return reinterpret_cast<HWND>(widget);
}

// Texts are 8-bit in the ANSI code page, which is UTF-8 here.
inline QString ToQt(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text)
{
    return text.toUtf8().toStdString();
}

// Widget properties the layer keeps.
inline constexpr const char* kCtrlIdProperty = "zentrimo.ctrlId";
inline constexpr const char* kOrderProperty = "zentrimo.order";
inline constexpr const char* kStyleProperty = "zentrimo.style";
inline constexpr const char* kAttachedProperty = "zentrimo.cwnd";
inline constexpr const char* kBigIconProperty = "zentrimo.bigIcon";
inline constexpr const char* kSmallIconProperty = "zentrimo.smallIcon";

int ControlId(const QWidget* widget);
DWORD WindowStyle(const QWidget* widget);

// The controls of a dialog in template order (stacking changes the order of QObject children).
std::vector<QWidget*> ControlsInOrder(const QWidget* dialog);

// The widget a modal run without an explicit owner is placed over: the active modal dialog, else
// the application's main window.
QWidget* DefaultOwner();

// The dialog font for a template's face and size.
QFont DialogFont(const char* faceName, int pointSize);

} // namespace ui::detail
