// Dialogs from templates: building, modal runs (with the modal driver seam), modeless windows, commands.
#include "platform/ui/CDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QWindow>

#include "platform/ui/CDataExchange.h"
#include "platform/ui/linux/DialogBuilder.h"
#include "platform/ui/linux/DialogWidget.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/linux/WindowFrame.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

namespace {

Qt::WindowFlags FlagsFor(const ui::DialogTemplate& tmpl, bool topLevelAppWindow)
{
    Qt::WindowFlags flags = topLevelAppWindow ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if ((tmpl.style & WS_CAPTION) == WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (tmpl.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tmpl.style & WS_SYSMENU && tmpl.style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

// Centres on the screen (DS_CENTER) or over the owner.
void PlaceWindow(QWidget& widget, const ui::DialogTemplate& tmpl, QWidget* owner)
{
    QRect area;
    if (!(tmpl.style & DS_CENTER) && owner)
        area = owner->window()->frameGeometry();
    else if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        widget.move(area.center() - QPoint(widget.width() / 2, widget.height() / 2));
}

// Where a dialog's initialisation leaves the focus when it returns TRUE.
void FocusFirstTabStop(QWidget& dialog)
{
    for (QWidget* widget : ControlsInOrder(&dialog)) {
        if ((WindowStyle(widget) & WS_TABSTOP) && widget->isEnabled() && !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

bool CDialog::BuildWindow(UINT nIDTemplate, bool modal)
{
    const ui::ResourceModule* module = AfxGetResourceHandle();
    const ui::DialogTemplate* tmpl = module ? module->FindDialog(nIDTemplate) : nullptr;
    if (!tmpl || QApplication::instance() == nullptr)
        return false;
    DestroyBuiltWindow();

    QWidget* owner = m_pParentWnd ? WidgetOf(m_pParentWnd) : DefaultOwner();
    const bool appWindow = (tmpl->exStyle & WS_EX_APPWINDOW) != 0 && !owner;
    auto* widget = new DialogWidget(*this, appWindow ? nullptr : owner, FlagsFor(*tmpl, appWindow));
    widget->setProperty(kStyleProperty, QVariant::fromValue<DWORD>(tmpl->style));
    widget->setWindowTitle(ToQt(tmpl->caption ? tmpl->caption : ""));
    KeepWindowFrame(*widget, tmpl->style);
    widget->setFont(DialogFont(tmpl->fontName, tmpl->pointSize));
    m_baseUnits = BaseUnitsOf(widget->font());
    widget->setFixedSize(HorizontalPixels(tmpl->cx, m_baseUnits), VerticalPixels(tmpl->cy, m_baseUnits));
    BuildControls(*widget, *tmpl, m_baseUnits, *this);
    if (modal)
        widget->setWindowModality(Qt::ApplicationModal);
    Attach(ToHwnd(widget));
    PlaceWindow(*widget, *tmpl, owner);
    m_bModal = modal;
    m_bEnded = false;
    m_nResult = -1;
    return true;
}

void CDialog::DestroyBuiltWindow()
{
    QWidget* widget = WidgetOf(this);
    if (!widget)
        return;
    Detach();
    // Wrappers made for its controls die with it; members bound by DDX_Control are detached by it.
    delete widget;
}

INT_PTR CDialog::DoModal()
{
    if (!BuildWindow(m_nIDTemplate, true))
        return -1;
    auto* widget = static_cast<DialogWidget*>(WidgetOf(this));
    const BOOL focusFirst = static_cast<BOOL>(SendMessage(WM_INITDIALOG, 0, 0));
    if (!m_bEnded) {
        if (focusFirst)
            FocusFirstTabStop(*widget);
        if (ui::ModalDriver* driver = ui::GetModalDriver()) {
            widget->show();
            driver->RunDialog(*this);
            if (!m_bEnded)
                EndDialog(-1);
        } else {
            widget->exec();
        }
    }
    const int result = m_nResult;
    DestroyBuiltWindow();
    m_bModal = false;
    m_bEnded = false;
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    if (!BuildWindow(nIDTemplate, false))
        return FALSE;
    QWidget* widget = WidgetOf(this);
    const BOOL focusFirst = static_cast<BOOL>(SendMessage(WM_INITDIALOG, 0, 0));
    if (!WidgetOf(this))
        return FALSE;
    if (WindowStyle(widget) & WS_VISIBLE && !m_bEnded) {
        widget->show();
        if (focusFirst)
            FocusFirstTabStop(*widget);
        // The caller is about to block the thread: get the window mapped and painted now, taking no
        // user input meanwhile.
        QElapsedTimer waited;
        waited.start();
        QWindow* window = widget->windowHandle();
        while (window && !window->isExposed() && waited.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        widget->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return TRUE;
}

BOOL CDialog::DestroyWindow()
{
    if (!WidgetOf(this))
        return FALSE;
    DestroyBuiltWindow();
    m_bEnded = false;
    m_bModal = false;
    return TRUE;
}

void CDialog::EndDialog(int nResult)
{
    m_nResult = nResult;
    m_bEnded = true;
    if (auto* widget = static_cast<DialogWidget*>(WidgetOf(this))) {
        if (m_bModal)
            widget->Finish(nResult);
        else
            widget->hide();
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!WidgetOf(this))
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    rect->left = HorizontalPixels(static_cast<int>(rect->left), m_baseUnits);
    rect->right = HorizontalPixels(static_cast<int>(rect->right), m_baseUnits);
    rect->top = VerticalPixels(static_cast<int>(rect->top), m_baseUnits);
    rect->bottom = VerticalPixels(static_cast<int>(rect->bottom), m_baseUnits);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
END_MESSAGE_MAP()

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return CWnd::DefWindowProc(message, wParam, lParam);
}
