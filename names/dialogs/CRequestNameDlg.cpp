// "Request a New Name": the form for a name to be recorded, filled from and read back into the caller's copy.
#include "names/dialogs/CRequestNameDlg.h"

#include "platform/ui/CDataExchange.h"
#include "res/resource.h"

CRequestNameDlg::CRequestNameDlg(CWnd* pParent) : CDialog(IDD_REQUEST_NAME, pParent) {}

void CRequestNameDlg::SetFields(std::string recordName, std::string pronunciation, std::string yourName,
                                std::string email, std::string comments)
{
    m_strRecordName = std::move(recordName);
    m_strPronunciation = std::move(pronunciation);
    m_strYourName = std::move(yourName);
    m_strEmail = std::move(email);
    m_strComments = std::move(comments);
}

std::vector<std::string> CRequestNameDlg::GetFields()
{
    m_fields.push_back(m_strRecordName);
    m_fields.push_back(m_strYourName);
    m_fields.push_back(m_strEmail);
    m_fields.push_back(m_strPronunciation);
    m_fields.push_back(m_strComments);
    return m_fields;
}

void CRequestNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_EMAIL, m_strEmail);
    DDX_Text(pDX, IDC_COMMENTS, m_strComments);
    DDX_Text(pDX, IDC_PRONUNCIATION, m_strPronunciation);
    DDX_Text(pDX, IDC_RECORD_NAME, m_strRecordName);
    DDX_Text(pDX, IDC_YOUR_NAME, m_strYourName);
}
