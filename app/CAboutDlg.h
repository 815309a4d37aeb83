// The about box: the program's name, version and release year.
#pragma once

#include "platform/ui/CDialog.h"

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
