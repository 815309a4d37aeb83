// Message boxes built on QMessageBox, made to look like the program's own dialogs.
#include "platform/ui/linux/MessageBoxWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QSpacerItem>
#include <algorithm>

#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"
#include "platform/ui/linux/WindowFrame.h"

namespace ui::detail {

namespace {

// Windows widens a box until its caption fits. A window manager's title bar sets the caption in its own
// font, often bold and larger than the dialog font, beside an icon and up to three buttons; reserve room
// for all of them and their spacing (under openbox, five buttons' width is not enough), or "Success" over a
// short text is cut to "S…s".
int CaptionRoom(const std::string& caption)
{
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(std::max(titleFont.pointSizeF(), 10.0));
    const QFontMetrics title(titleFont);
    return title.horizontalAdvance(ToQt(caption)) + 7 * std::max(20, title.height() + 4);
}

// QMessageBox sets its own fixed size from its layout each time it is shown, so the room goes in as a
// spacer across the bottom row of that layout.
void KeepWideEnoughFor(QMessageBox& box, const std::string& caption)
{
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width =
            CaptionRoom(caption) - grid->contentsMargins().left() - grid->contentsMargins().right();
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
}

} // namespace

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
    KeepWideEnoughFor(*box, caption);
    KeepWindowFrame(*box, kBoxStyle);
    return box;
}

} // namespace ui::detail
