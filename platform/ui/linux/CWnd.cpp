// CWnd on a Qt widget: attachment, texts, states, geometry, focus, icons, message delivery.
#include "platform/ui/CWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QWindow>
#include <exception>

#include "platform/core/CException.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/linux/ListView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/linux/SystemMenu.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/WinStyles.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

struct WndLink
{
    QMetaObject::Connection destroyed;
};

namespace {

// Wrappers made by FromHandle for widgets no member is attached to; deleted with the widget.
class WrapperHolder : public QObject
{
public:
    WrapperHolder(QWidget* widget, CWnd* wrapper) : QObject(widget), m_wrapper(wrapper) {}
    ~WrapperHolder() override { delete m_wrapper; }

private:
    CWnd* m_wrapper;
};

CWnd* MakeWrapper(QWidget* widget)
{
    if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QGroupBox*>(widget))
        return new CButton;
    if (qobject_cast<QLineEdit*>(widget))
        return new CEdit;
    if (qobject_cast<ListView*>(widget))
        return new CListCtrl;
    if (qobject_cast<QLabel*>(widget))
        return new CStatic;
    return new CWnd;
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    Detach();
}

QWidget* WidgetOf(const CWnd* window)
{
    return window ? ToWidget(window->GetSafeHwnd()) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    QWidget* widget = ToWidget(hWnd);
    if (!widget)
        return nullptr;
    if (auto* attached = reinterpret_cast<CWnd*>(widget->property(kAttachedProperty).value<quintptr>()))
        return attached;
    CWnd* wrapper = MakeWrapper(widget);
    wrapper->Attach(hWnd);
    new WrapperHolder(widget, wrapper);
    return wrapper;
}

void CWnd::Attach(HWND hWnd)
{
    Detach();
    QWidget* widget = ToWidget(hWnd);
    if (!widget)
        return;
    m_hWnd = hWnd;
    m_link = std::make_unique<WndLink>();
    m_link->destroyed = QObject::connect(widget, &QObject::destroyed, [this] {
        m_hWnd = nullptr;
        m_link.reset();
    });
    widget->setProperty(kAttachedProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
}

void CWnd::Detach()
{
    if (WidgetOf(this)) {
        QObject::disconnect(m_link->destroyed);
        if (WidgetOf(this)->property(kAttachedProperty).value<quintptr>() == reinterpret_cast<quintptr>(this))
            WidgetOf(this)->setProperty(kAttachedProperty, QVariant());
    }
    m_hWnd = nullptr;
    m_link.reset();
}

int CWnd::GetDlgCtrlID() const
{
    return WidgetOf(this) ? ControlId(WidgetOf(this)) : 0;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (!WidgetOf(this))
        return nullptr;
    for (QWidget* widget : ControlsInOrder(WidgetOf(this))) {
        if (ControlId(widget) == nID)
            return FromHandle(ToHwnd(widget));
    }
    return nullptr;
}

CWnd* CWnd::GetParent() const
{
    if (!WidgetOf(this) || !WidgetOf(this)->parentWidget())
        return nullptr;
    return FromHandle(ToHwnd(WidgetOf(this)->parentWidget()));
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!WidgetOf(this))
        return FALSE;
    const bool wasDisabled = WidgetOf(this)->testAttribute(Qt::WA_Disabled);
    WidgetOf(this)->setEnabled(bEnable != FALSE);
    return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const
{
    return WidgetOf(this) && !WidgetOf(this)->testAttribute(Qt::WA_Disabled) ? TRUE : FALSE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!WidgetOf(this))
        return FALSE;
    const BOOL wasVisible = WidgetOf(this)->isHidden() ? FALSE : TRUE;
    switch (nCmdShow) {
    case SW_HIDE:
        WidgetOf(this)->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        WidgetOf(this)->isWindow() ? WidgetOf(this)->showMinimized() : WidgetOf(this)->show();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        WidgetOf(this)->isWindow() ? WidgetOf(this)->showNormal() : WidgetOf(this)->show();
        break;
    default:
        WidgetOf(this)->show();
        break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return WidgetOf(this) && WidgetOf(this)->isVisible() ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const
{
    return WidgetOf(this) && WidgetOf(this)->isWindow() && WidgetOf(this)->isMinimized() ? TRUE : FALSE;
}

void CWnd::SetWindowText(const std::string& text)
{
    if (!WidgetOf(this))
        return;
    const QString value = ToQt(text);
    if (WidgetOf(this)->isWindow()) {
        WidgetOf(this)->setWindowTitle(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(this))) {
        // Setting an edit box's text always notifies its parent, as WM_SETTEXT does.
        if (edit->text() == value) {
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), EN_CHANGE),
                                    reinterpret_cast<LPARAM>(GetSafeHwnd()));
        } else {
            edit->setText(value); // textChanged raises EN_CHANGE
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(WidgetOf(this))) {
        button->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(WidgetOf(this))) {
        group->setTitle(value);
    } else if (auto* label = qobject_cast<QLabel*>(WidgetOf(this))) {
        label->setText(value);
    }
}

std::string CWnd::GetWindowText() const
{
    if (!WidgetOf(this))
        return std::string();
    if (WidgetOf(this)->isWindow())
        return FromQt(WidgetOf(this)->windowTitle());
    if (auto* edit = qobject_cast<QLineEdit*>(WidgetOf(this)))
        return FromQt(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(WidgetOf(this)))
        return FromQt(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(WidgetOf(this)))
        return FromQt(group->title());
    if (auto* label = qobject_cast<QLabel*>(WidgetOf(this)))
        return FromQt(label->text());
    return std::string();
}

void CWnd::GetWindowText(std::string& text) const
{
    text = GetWindowText();
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!WidgetOf(this)) {
        *rect = RECT{0, 0, 0, 0};
        return;
    }
    QRect r = WidgetOf(this)->isWindow()
                  ? WidgetOf(this)->frameGeometry()
                  : QRect(WidgetOf(this)->mapToGlobal(QPoint(0, 0)), WidgetOf(this)->size());
    *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CWnd::GetClientRect(LPRECT rect) const
{
    *rect = WidgetOf(this) ? RECT{0, 0, WidgetOf(this)->width(), WidgetOf(this)->height()} : RECT{0, 0, 0, 0};
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (!WidgetOf(this))
        return;
    const QPoint p =
        WidgetOf(this)->mapFromGlobal(QPoint(static_cast<int>(point->x), static_cast<int>(point->y)));
    *point = POINT{p.x(), p.y()};
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    POINT topLeft{rect->left, rect->top};
    POINT bottomRight{rect->right, rect->bottom};
    ScreenToClient(&topLeft);
    ScreenToClient(&bottomRight);
    *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (!WidgetOf(this))
        return;
    const QPoint p =
        WidgetOf(this)->mapToGlobal(QPoint(static_cast<int>(point->x), static_cast<int>(point->y)));
    *point = POINT{p.x(), p.y()};
}

void CWnd::ClientToScreen(LPRECT rect) const
{
    POINT topLeft{rect->left, rect->top};
    POINT bottomRight{rect->right, rect->bottom};
    ClientToScreen(&topLeft);
    ClientToScreen(&bottomRight);
    *rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (!WidgetOf(this))
        return;
    if (WidgetOf(this)->isWindow()) {
        WidgetOf(this)->move(x, y);
        WidgetOf(this)->resize(nWidth, nHeight);
    } else {
        WidgetOf(this)->setGeometry(x, y, nWidth, nHeight);
    }
    if (bRepaint)
        WidgetOf(this)->update();
}

void CWnd::MoveWindow(LPCRECT rect, BOOL bRepaint)
{
    MoveWindow(static_cast<int>(rect->left), static_cast<int>(rect->top),
               static_cast<int>(rect->right - rect->left), static_cast<int>(rect->bottom - rect->top),
               bRepaint);
}

BOOL CWnd::RedrawWindow(LPCRECT rectUpdate, void*, UINT flags)
{
    if (!WidgetOf(this))
        return FALSE;
    const QRect area =
        rectUpdate
            ? QRect(QPoint(static_cast<int>(rectUpdate->left), static_cast<int>(rectUpdate->top)),
                    QPoint(static_cast<int>(rectUpdate->right) - 1, static_cast<int>(rectUpdate->bottom) - 1))
            : WidgetOf(this)->rect();
    if (flags & RDW_UPDATENOW)
        WidgetOf(this)->repaint(area);
    else if (flags & RDW_INVALIDATE)
        WidgetOf(this)->update(area);
    return TRUE;
}

void CWnd::Invalidate(BOOL)
{
    if (WidgetOf(this))
        WidgetOf(this)->update();
}

void CWnd::UpdateWindow()
{
    if (WidgetOf(this))
        WidgetOf(this)->repaint();
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (WidgetOf(this))
        WidgetOf(this)->setFocus(Qt::OtherFocusReason);
    return previous;
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(ToHwnd(QApplication::focusWidget()));
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    if (auto* button = static_cast<CButton*>(GetDlgItem(nIDButton)))
        button->SetCheck(static_cast<int>(nCheck));
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    auto* button = static_cast<CButton*>(GetDlgItem(nIDButton));
    return button ? static_cast<UINT>(button->GetCheck()) : 0;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    if (!WidgetOf(this))
        return nullptr;
    const char* property = bBigIcon ? kBigIconProperty : kSmallIconProperty;
    HICON previous = reinterpret_cast<HICON>(WidgetOf(this)->property(property).value<quintptr>());
    WidgetOf(this)->setProperty(property, QVariant::fromValue(reinterpret_cast<quintptr>(hIcon)));
    QIcon icon;
    for (const char* p : {kBigIconProperty, kSmallIconProperty}) {
        if (auto* h = reinterpret_cast<HICON>(WidgetOf(this)->property(p).value<quintptr>()))
            icon.addPixmap(p == kBigIconProperty ? h->large : h->small);
    }
    WidgetOf(this)->setWindowIcon(icon);
    return previous;
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    if (!WidgetOf(this))
        return nullptr;
    return reinterpret_cast<HICON>(
        WidgetOf(this)->property(bBigIcon ? kBigIconProperty : kSmallIconProperty).value<quintptr>());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert)
{
    if (!WidgetOf(this) || !WidgetOf(this)->isWindow() || !(WindowStyle(WidgetOf(this)) & WS_SYSMENU))
        return nullptr;
    if (bRevert || !m_pSystemMenu) {
        m_pSystemMenu = std::make_unique<CMenu>();
        m_pSystemMenu->Reset(ui::DefaultSystemMenu(WindowStyle(WidgetOf(this))));
    }
    return bRevert ? nullptr : m_pSystemMenu.get();
}

int CWnd::MessageBox(const std::string& text, const char* caption, UINT nType)
{
    return ShowMessageBox(GetSafeHwnd(), text, caption, nType);
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    return ShowMessageBox(GetSafeHwnd(), text, caption.c_str(), nType);
}

void CWnd::OnPaint() {}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (!WidgetOf(this))
        return 0;
    if (message == WM_SYSCOMMAND) {
        switch (static_cast<UINT>(wParam) & 0xFFF0) {
        case SC_MINIMIZE:
            WidgetOf(this)->showMinimized();
            break;
        case SC_RESTORE:
            WidgetOf(this)->showNormal();
            break;
        case SC_MOVE:
            if (QWindow* window = WidgetOf(this)->windowHandle())
                window->startSystemMove();
            break;
        case SC_CLOSE:
            return SendMessage(WM_CLOSE);
        case SC_KEYMENU:
            ui::PopUpSystemMenu(*this, WidgetOf(this)->mapToGlobal(QPoint(0, 0)));
            break;
        default:
            break;
        }
    }
    return 0;
}
