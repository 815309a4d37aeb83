// A dialog built from a template of the program's resources, run modally or modeless.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/ui/CWnd.h"

class CDataExchange;
namespace ui {
struct DialogTemplate;
}

// Modal: DoModal builds the window and its controls, runs OnInitDialog (whose TRUE result puts the
// focus on the first tab stop in template order), shows it and waits until EndDialog; it then
// destroys the window and returns EndDialog's result (-1 when the template is missing). While a
// modal driver is installed (ui/ModalDriver.h), DoModal hands the shown dialog to it instead of
// waiting for the user.
//
// Modeless: Create builds, initialises and shows the window (when its template says visible) and
// paints it before returning, so that it stays on screen while the caller then blocks the thread.
// DestroyWindow takes it down; the object can be created again.
//
// Commands: the OK command (id 1, or Enter when no push button has the focus and the dialog has no
// default push button) runs OnOK, the cancel command (id 2, Escape, the close box) runs OnCancel,
// unless the message table takes the command first.
class CDialog : public CWnd
{
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL DestroyWindow();
    void EndDialog(int nResult);

    // Runs DoDataExchange: controls to members when bSaveAndValidate, members to controls otherwise.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Attaches the bound controls and puts the members into the controls (UpdateData(FALSE)).
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK). OnCancel: EndDialog(IDCANCEL).
    virtual void OnOK();
    virtual void OnCancel();

    UINT GetTemplateId() const { return m_nIDTemplate; }
    // True between EndDialog and the end of DoModal, or while a modeless dialog is ended but not
    // destroyed.
    bool IsEnded() const { return m_bEnded; }

    // Dialog base units of this dialog's font (horizontal: average character width; vertical:
    // character height) and the conversion of a rectangle from dialog units to pixels.
    CPoint GetBaseUnits() const;
    void MapDialogRect(LPRECT rect) const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    friend struct DialogAccess;
    bool BuildWindow(UINT nIDTemplate, bool modal);
    void DestroyBuiltWindow();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bEnded = false;
    bool m_bModal = false;
    int m_nResult = -1;
    CPoint m_baseUnits;
    std::vector<std::unique_ptr<CWnd>> m_wrappers;
};
