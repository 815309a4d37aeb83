// The instructions box: one text for the layout in force.
#pragma once

#include <string>

#include "platform/ui/CDialog.h"

class CInstructionsDlg : public CDialog
{
public:
    explicit CInstructionsDlg(CWnd* pParent = nullptr);

    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
