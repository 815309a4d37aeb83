// The modeless "please wait" notice shown around every long operation.
#pragma once

#include <string>

#include "platform/ui/CDialog.h"

// Use: set m_strText, Create(IDD_WAIT_NOTICE) (shown and painted at once, centred, no parent),
// run the operation, DestroyWindow. The text is copied into the window when it opens; changing
// m_strText while it is open changes nothing on screen.
class CWaitNoticeDlg : public CDialog
{
public:
    explicit CWaitNoticeDlg(CWnd* pParent = nullptr);

    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
