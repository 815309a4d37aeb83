// Message boxes built on QMessageBox, made to look like the program's own dialogs.
#include "platform/ui/linux/MessageBoxWindow.h"

#include <QAbstractButton>

#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"
#include "platform/ui/linux/WindowFrame.h"

namespace ui::detail {

std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const std::string& text,
                                             const std::string& caption, UINT type)
{
    const QMessageBox::Icon icon =
        (type & MB_ICONMASK) == MB_ICONEXCLAMATION ? QMessageBox::Warning : QMessageBox::NoIcon;
    // A caption with the system menu's close box and nothing else, as the templates frame dialogs.
    constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    const Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    auto box = std::make_unique<QMessageBox>(icon, ToQt(caption), ToQt(text), QMessageBox::Ok, parent, flags);
    box->setTextFormat(Qt::PlainText);
    box->setFont(DialogFont("MS Sans Serif", 8));
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->setIcon(QIcon()); // some styles put a tick on OK
    KeepWindowFrame(*box, kBoxStyle);
    return box;
}

} // namespace ui::detail
