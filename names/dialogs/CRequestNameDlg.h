// "Request a New Name": the form for a name to be recorded, filled from and read back into the caller's copy.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/CDialog.h"

class CRequestNameDlg : public CDialog
{
public:
    explicit CRequestNameDlg(CWnd* pParent = nullptr);

    // Parameters in the order the form is remembered by its caller, which is not the order GetFields
    // gives them back in.
    void SetFields(std::string recordName, std::string pronunciation, std::string yourName, std::string email,
                   std::string comments);
    // Appends name to record, requester's name, e-mail address, pronunciation key and comments to
    // m_fields and returns it; called once after the dialog ended with OK.
    std::vector<std::string> GetFields();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    std::vector<std::string> m_fields;
    std::string m_strEmail;
    std::string m_strComments;
    std::string m_strPronunciation;
    std::string m_strRecordName;
    std::string m_strYourName;
};
