// Data exchange between a dialog's controls and its members.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

class CDialog;
class CWnd;

class CDataExchange
{
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CDialog* m_pDlgWnd;
};

// Attaches control to the dialog's control nID the first time (later calls change nothing).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Copies the text of control nIDC into value, or value into the control. Putting a text into an
// edit box that already holds exactly that text leaves the box alone (no change notification).
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
