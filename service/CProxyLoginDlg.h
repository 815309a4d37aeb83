// The proxy login dialog: asks for the proxy's user name and password after a 407.
#pragma once

#include <string>

#include "platform/ui/CDialog.h"

class CProxyLoginDlg : public CDialog
{
public:
    explicit CProxyLoginDlg(CWnd* pParent = nullptr);
    ~CProxyLoginDlg() override;

    // The texts exactly as typed, surrounding white space included; read after DoModal gave IDOK.
    std::string GetUser() const { return m_strUser; }
    std::string GetPassword() const { return m_strPassword; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Keeps the dialog open with a box while a text is blank (password first) or too long.
    void OnOK() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    std::string m_strPassword;
    std::string m_strUser;
};
