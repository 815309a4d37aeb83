// CDialog on the system's dialog manager: templates in memory, modal and modeless runs, the dialog
// procedure that feeds the message tables, data exchange and the OK/Cancel defaults.
#include "platform/ui/CDialog.h"

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/windows/DialogTemplates.h"
#include "platform/ui/windows/WndInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

namespace {

const ui::DialogTemplate* FindTemplate(UINT id)
{
    const ui::ResourceModule* module = AfxGetResourceHandle();
    return module ? module->FindDialog(id) : nullptr;
}

// Icon statics name icons of the program's resource data, which are no module resources: their
// pictures are set once the controls exist. Children come in template order.
void SetTemplateIcons(HWND dialog, const ui::DialogTemplate& tmpl)
{
    HWND child = ::GetWindow(dialog, GW_CHILD);
    for (const ui::ControlTemplate& c : tmpl.controls) {
        if (!child)
            break;
        if (c.windowClass == ui::ControlClass::Static && (c.style & SS_TYPEMASK) == SS_ICON && c.imageId)
            ::SendMessageW(child, STM_SETICON, reinterpret_cast<WPARAM>(AfxLoadIcon(c.imageId)), 0);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
}

} // namespace

// The dialog procedure reaches the protected members it dispatches to through this friend.
struct DialogAccess
{
    static void Link(CDialog& dialog, HWND hWnd)
    {
        dialog.Attach(hWnd);
        RECT units{0, 0, 4, 8};
        ::MapDialogRect(hWnd, &units);
        dialog.m_baseUnits = CPoint(units.right, units.bottom);
        if (const ui::DialogTemplate* tmpl = FindTemplate(dialog.m_nIDTemplate))
            SetTemplateIcons(hWnd, *tmpl);
    }
    static bool IsRealModal(const CDialog& dialog) { return dialog.m_bModal; }
};

namespace {

// Messages the layer delivers through the message tables; all others keep the system's handling.
bool IsRouted(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_SYSCOMMAND:
    case WM_PAINT:
    case WM_QUERYDRAGICON:
    case WM_CLOSE:
        return true;
    default:
        return false;
    }
}

// Detaches the objects bound to a dialog's controls as the controls go away.
BOOL CALLBACK DetachChild(HWND child, LPARAM)
{
    if (CWnd* object = AttachedObject(child))
        object->Detach();
    return TRUE;
}

} // namespace

namespace ui::detail {

INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        DialogAccess::Link(*dialog, hWnd);
        return dialog->SendMessage(WM_INITDIALOG, wParam, 0);
    }
    CWnd* object = AttachedObject(hWnd);
    if (!object)
        return FALSE;
    if (message == WM_DESTROY) {
        // The controls still exist now; they are gone by WM_NCDESTROY.
        EnumChildWindows(hWnd, DetachChild, 0);
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        object->Detach();
        DropDeadWrappers();
        return FALSE;
    }
    if (!IsRouted(message))
        return FALSE;
    const LRESULT result = object->SendMessage(message, wParam, lParam);
    if (message == WM_QUERYDRAGICON)
        return static_cast<INT_PTR>(result); // returned directly, not through DWLP_MSGRESULT
    SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace ui::detail

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

bool CDialog::BuildWindow(UINT nIDTemplate, bool)
{
    const ui::DialogTemplate* tmpl = FindTemplate(nIDTemplate);
    if (!tmpl)
        return false;
    DestroyBuiltWindow();
    m_bModal = false; // a run of the system's modal loop goes through DialogBoxIndirectParam instead
    m_bEnded = false;
    m_nResult = -1;
    const std::vector<DWORD> data = BuildDialogTemplate(*tmpl);
    // Modal or modeless, a dialog without a parent stays above the window the user works in.
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : DefaultOwner();
    HWND hWnd =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(data.data()),
                                   owner, DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

void CDialog::DestroyBuiltWindow()
{
    if (HWND hWnd = GetSafeHwnd())
        ::DestroyWindow(hWnd); // WM_NCDESTROY detaches this object and its controls' objects
    Detach();
}

INT_PTR CDialog::DoModal()
{
    const ui::DialogTemplate* tmpl = FindTemplate(m_nIDTemplate);
    if (!tmpl)
        return -1;
    ui::ModalDriver* driver = ui::GetModalDriver();
    if (!driver) {
        // The system's own modal loop: the owner is disabled, Tab, Enter and Escape work as usual.
        m_bModal = true;
        m_bEnded = false;
        m_nResult = -1;
        const std::vector<DWORD> data = BuildDialogTemplate(*tmpl);
        HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : DefaultOwner();
        const INT_PTR result =
            DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(data.data()),
                                    owner, DialogProc, reinterpret_cast<LPARAM>(this));
        Detach();
        m_bModal = false;
        m_bEnded = false;
        return result == -1 ? -1 : m_nResult;
    }

    // Under a driver the same window is built modeless, shown, and handed over on this thread.
    if (!BuildWindow(m_nIDTemplate, true))
        return -1;
    HWND hWnd = GetSafeHwnd();
    HWND owner = ::GetWindow(hWnd, GW_OWNER);
    if (!m_bEnded) {
        if (owner)
            ::EnableWindow(owner, FALSE);
        ::ShowWindow(hWnd, SW_SHOW);
        ::UpdateWindow(hWnd);
        driver->RunDialog(*this);
        if (!m_bEnded)
            EndDialog(-1);
        if (owner)
            ::EnableWindow(owner, TRUE);
    }
    const int result = m_nResult;
    DestroyBuiltWindow();
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
    HWND hWnd = GetSafeHwnd();
    if (!hWnd)
        return FALSE;
    const ui::DialogTemplate* tmpl = FindTemplate(nIDTemplate);
    if (tmpl->style & WS_VISIBLE && !m_bEnded) {
        // The caller is about to block the thread: paint now, not at the next message loop.
        ::ShowWindow(hWnd, SW_SHOW);
        ::UpdateWindow(hWnd);
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return TRUE;
}

BOOL CDialog::DestroyWindow()
{
    if (!GetSafeHwnd())
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
    HWND hWnd = GetSafeHwnd();
    if (!hWnd)
        return;
    if (DialogAccess::IsRealModal(*this))
        ::EndDialog(hWnd, nResult);
    else
        ::ShowWindow(hWnd, SW_HIDE);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!GetSafeHwnd())
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::MapDialogRect(LPRECT rect) const
{
    if (HWND hWnd = GetSafeHwnd())
        ::MapDialogRect(hWnd, rect);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
END_MESSAGE_MAP()

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
        return SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return 0; // a command or notice nobody takes is dropped
    return CWnd::DefWindowProc(message, wParam, lParam);
}
