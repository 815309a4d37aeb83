// "Names On This Computer": lists the names installed in a Velmora folder and takes one by double click.
#pragma once

#include <string>

#include "platform/ui/CDialog.h"
#include "platform/ui/CListCtrl.h"

class CInstalledNamesDlg : public CDialog
{
public:
    explicit CInstalledNamesDlg(CWnd* pParent = nullptr);

    // The Velmora folder whose names folder is listed; set before the dialog runs.
    void SetVelmoraFolder(std::string folder);
    // The name taken by the last double click; empty when there was none.
    std::string GetChosenName() { return m_strChosenName; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDblClkInstalledList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    std::string m_strChosenName;
    std::string m_strVelmoraDir;
    CListCtrl m_list;
};
