// Keyboard, close box, painting and system-menu routing of a dialog window.
#include "platform/ui/linux/DialogWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>

#include "platform/ui/CDialog.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/linux/SystemMenu.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"

using namespace ui::detail;

DialogWidget::DialogWidget(CDialog& owner, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_owner(owner)
{
    setSizeGripEnabled(false);
    // Alt+Space opens the system menu, as the window manager's own would.
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (WindowStyle(this) & WS_SYSMENU)
            m_owner.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, ' ');
    });
}

void DialogWidget::reject()
{
    m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void DialogWidget::accept()
{
    m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void DialogWidget::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // A focused push button takes Enter; otherwise the default push button; otherwise the OK command.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
            if (button->isDefault()) {
                if (button->isEnabled() && !button->isHidden())
                    button->click();
                return;
            }
        }
        m_owner.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    if (plain && event->key() == Qt::Key_F1) {
        if (CWinApp* app = AfxGetApp())
            app->OnCmdMsg(ID_HELP);
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWidget::closeEvent(QCloseEvent* event)
{
    // The close box is the system menu's Close: the dialog decides (normally its cancel command).
    event->ignore();
    m_owner.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWidget::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    m_owner.SendMessage(WM_PAINT, 0, 0);
}

void DialogWidget::contextMenuEvent(QContextMenuEvent* event)
{
    if (!(WindowStyle(this) & WS_SYSMENU)) {
        QDialog::contextMenuEvent(event);
        return;
    }
    ui::PopUpSystemMenu(m_owner, event->globalPos());
}
