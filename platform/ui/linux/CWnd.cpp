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
#include "platform/ui/ListView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SystemMenu.h"
#include "platform/ui/UiInternal.h"
#include "platform/ui/WinStyles.h"

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

HWND CWnd::GetSafeHwnd() const
{
    return ToHwnd(m_pWidget);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    QWidget* widget = ToWidget(hWnd);
    if (!widget)
        return nullptr;
    if (auto* attached = reinterpret_cast<CWnd*>(widget->property(kAttachedProperty).value<quintptr>()))
        return attached;
    CWnd* wrapper = MakeWrapper(widget);
    wrapper->Attach(widget);
    new WrapperHolder(widget, wrapper);
    return wrapper;
}

void CWnd::Attach(QWidget* widget)
{
    Detach();
    if (!widget)
        return;
    m_pWidget = widget;
    m_link = std::make_unique<WndLink>();
    m_link->destroyed = QObject::connect(widget, &QObject::destroyed, [this] {
        m_pWidget = nullptr;
        m_link.reset();
    });
    widget->setProperty(kAttachedProperty, QVariant::fromValue(reinterpret_cast<quintptr>(this)));
}

void CWnd::Detach()
{
    if (m_pWidget) {
        QObject::disconnect(m_link->destroyed);
        if (m_pWidget->property(kAttachedProperty).value<quintptr>() == reinterpret_cast<quintptr>(this))
            m_pWidget->setProperty(kAttachedProperty, QVariant());
    }
    m_pWidget = nullptr;
    m_link.reset();
}

int CWnd::GetDlgCtrlID() const
{
    return m_pWidget ? ControlId(m_pWidget) : 0;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (!m_pWidget)
        return nullptr;
    for (QWidget* widget : ControlsInOrder(m_pWidget)) {
        if (ControlId(widget) == nID)
            return FromHandle(ToHwnd(widget));
    }
    return nullptr;
}

CWnd* CWnd::GetParent() const
{
    if (!m_pWidget || !m_pWidget->parentWidget())
        return nullptr;
    return FromHandle(ToHwnd(m_pWidget->parentWidget()));
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_pWidget)
        return FALSE;
    const bool wasDisabled = m_pWidget->testAttribute(Qt::WA_Disabled);
    m_pWidget->setEnabled(bEnable != FALSE);
    return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_pWidget && !m_pWidget->testAttribute(Qt::WA_Disabled) ? TRUE : FALSE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (!m_pWidget)
        return FALSE;
    const BOOL wasVisible = m_pWidget->isHidden() ? FALSE : TRUE;
    switch (nCmdShow) {
    case SW_HIDE:
        m_pWidget->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        m_pWidget->isWindow() ? m_pWidget->showMinimized() : m_pWidget->show();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        m_pWidget->isWindow() ? m_pWidget->showNormal() : m_pWidget->show();
        break;
    default:
        m_pWidget->show();
        break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_pWidget && m_pWidget->isVisible() ? TRUE : FALSE;
}

BOOL CWnd::IsIconic() const
{
    return m_pWidget && m_pWidget->isWindow() && m_pWidget->isMinimized() ? TRUE : FALSE;
}

void CWnd::SetWindowText(const std::string& text)
{
    if (!m_pWidget)
        return;
    const QString value = ToQt(text);
    if (m_pWidget->isWindow()) {
        m_pWidget->setWindowTitle(value);
    } else if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget)) {
        // Setting an edit box's text always notifies its parent, as WM_SETTEXT does.
        if (edit->text() == value) {
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID()), EN_CHANGE),
                                    reinterpret_cast<LPARAM>(GetSafeHwnd()));
        } else {
            edit->setText(value); // textChanged raises EN_CHANGE
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget)) {
        button->setText(value);
    } else if (auto* group = qobject_cast<QGroupBox*>(m_pWidget)) {
        group->setTitle(value);
    } else if (auto* label = qobject_cast<QLabel*>(m_pWidget)) {
        label->setText(value);
    }
}

std::string CWnd::GetWindowText() const
{
    if (!m_pWidget)
        return std::string();
    if (m_pWidget->isWindow())
        return FromQt(m_pWidget->windowTitle());
    if (auto* edit = qobject_cast<QLineEdit*>(m_pWidget))
        return FromQt(edit->text());
    if (auto* button = qobject_cast<QAbstractButton*>(m_pWidget))
        return FromQt(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(m_pWidget))
        return FromQt(group->title());
    if (auto* label = qobject_cast<QLabel*>(m_pWidget))
        return FromQt(label->text());
    return std::string();
}

void CWnd::GetWindowText(std::string& text) const
{
    text = GetWindowText();
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(GetWindowText().size());
}

void CWnd::SetDlgItemText(int nID, const std::string& text)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(text);
}

void CWnd::GetDlgItemText(int nID, std::string& text) const
{
    CWnd* item = GetDlgItem(nID);
    text = item ? item->GetWindowText() : std::string();
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!m_pWidget) {
        *rect = RECT{0, 0, 0, 0};
        return;
    }
    QRect r = m_pWidget->isWindow() ? m_pWidget->frameGeometry()
                                    : QRect(m_pWidget->mapToGlobal(QPoint(0, 0)), m_pWidget->size());
    *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CWnd::GetClientRect(LPRECT rect) const
{
    *rect = m_pWidget ? RECT{0, 0, m_pWidget->width(), m_pWidget->height()} : RECT{0, 0, 0, 0};
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (!m_pWidget)
        return;
    const QPoint p = m_pWidget->mapFromGlobal(QPoint(static_cast<int>(point->x), static_cast<int>(point->y)));
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
    if (!m_pWidget)
        return;
    const QPoint p = m_pWidget->mapToGlobal(QPoint(static_cast<int>(point->x), static_cast<int>(point->y)));
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
    if (!m_pWidget)
        return;
    if (m_pWidget->isWindow()) {
        m_pWidget->move(x, y);
        m_pWidget->resize(nWidth, nHeight);
    } else {
        m_pWidget->setGeometry(x, y, nWidth, nHeight);
    }
    if (bRepaint)
        m_pWidget->update();
}

void CWnd::MoveWindow(LPCRECT rect, BOOL bRepaint)
{
    MoveWindow(static_cast<int>(rect->left), static_cast<int>(rect->top), static_cast<int>(rect->right - rect->left),
               static_cast<int>(rect->bottom - rect->top), bRepaint);
}

BOOL CWnd::RedrawWindow(LPCRECT rectUpdate, void*, UINT flags)
{
    if (!m_pWidget)
        return FALSE;
    const QRect area = rectUpdate ? QRect(QPoint(static_cast<int>(rectUpdate->left), static_cast<int>(rectUpdate->top)),
                                          QPoint(static_cast<int>(rectUpdate->right) - 1,
                                                 static_cast<int>(rectUpdate->bottom) - 1))
                                  : m_pWidget->rect();
    if (flags & RDW_UPDATENOW)
        m_pWidget->repaint(area);
    else if (flags & RDW_INVALIDATE)
        m_pWidget->update(area);
    return TRUE;
}

void CWnd::Invalidate(BOOL)
{
    if (m_pWidget)
        m_pWidget->update();
}

void CWnd::UpdateWindow()
{
    if (m_pWidget)
        m_pWidget->repaint();
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    if (m_pWidget)
        m_pWidget->setFocus(Qt::OtherFocusReason);
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
    if (!m_pWidget)
        return nullptr;
    const char* property = bBigIcon ? kBigIconProperty : kSmallIconProperty;
    HICON previous = reinterpret_cast<HICON>(m_pWidget->property(property).value<quintptr>());
    m_pWidget->setProperty(property, QVariant::fromValue(reinterpret_cast<quintptr>(hIcon)));
    QIcon icon;
    for (const char* p : {kBigIconProperty, kSmallIconProperty}) {
        if (auto* h = reinterpret_cast<HICON>(m_pWidget->property(p).value<quintptr>()))
            icon.addPixmap(p == kBigIconProperty ? h->large : h->small);
    }
    m_pWidget->setWindowIcon(icon);
    return previous;
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    if (!m_pWidget)
        return nullptr;
    return reinterpret_cast<HICON>(m_pWidget->property(bBigIcon ? kBigIconProperty : kSmallIconProperty).value<quintptr>());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert)
{
    if (!m_pWidget || !m_pWidget->isWindow() || !(WindowStyle(m_pWidget) & WS_SYSMENU))
        return nullptr;
    if (bRevert || !m_pSystemMenu) {
        m_pSystemMenu = std::make_unique<CMenu>();
        m_pSystemMenu->Reset(ui::DefaultSystemMenu(WindowStyle(m_pWidget)));
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

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        LRESULT result = 0;
        if (!OnWndMsg(message, wParam, lParam, &result))
            result = DefWindowProc(message, wParam, lParam);
        return result;
    } catch (const CException& e) {
        ReportEscapedError(e.GetErrorMessage());
    } catch (const std::exception& e) {
        ReportEscapedError(e.what());
    }
    return 0;
}

void CWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    DefWindowProc(WM_SYSCOMMAND, nID, lParam);
}

void CWnd::OnPaint() {}

const ui::MessageMap* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const ui::MessageMap* CWnd::GetThisMessageMap()
{
    static const ui::MessageEntry entries[] = {{0, 0, 0, nullptr}};
    static const ui::MessageMap map = {nullptr, entries};
    return &map;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT code = 0;
    UINT id = 0;
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        code = header->code;
        id = static_cast<UINT>(header->idFrom);
    }
    const ui::MessageEntry* entry = ui::FindMessageEntry(GetMessageMap(), message, code, id);
    if (!entry)
        return FALSE;
    *pResult = entry->call(*this, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM)
{
    if (!m_pWidget)
        return 0;
    if (message == WM_SYSCOMMAND) {
        switch (static_cast<UINT>(wParam) & 0xFFF0) {
        case SC_MINIMIZE:
            m_pWidget->showMinimized();
            break;
        case SC_RESTORE:
            m_pWidget->showNormal();
            break;
        case SC_MOVE:
            if (QWindow* window = m_pWidget->windowHandle())
                window->startSystemMove();
            break;
        case SC_CLOSE:
            return SendMessage(WM_CLOSE);
        case SC_KEYMENU:
            ui::PopUpSystemMenu(*this, m_pWidget->mapToGlobal(QPoint(0, 0)));
            break;
        default:
            break;
        }
    }
    return 0;
}
