// The proxy login dialog on real widgets: the checks keep it open, the texts come back as typed.
#include "service/CProxyLoginDlg.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <QTest>
#endif

#include "platform/ui/CButton.h"
#include "platform/ui/MessageBox.h"
#ifndef _WIN32
#include "platform/ui/linux/WidgetOf.h"
#endif
#include "res/resource.h"
#include "tests/support/ModalScript.h"

namespace {

void ClickOk(CDialog& d)
{
    static_cast<CButton*>(d.GetDlgItem(IDOK))->Click();
}

// Escape, as the user presses it in the dialog.
void PressEscape(CDialog& d)
{
#ifdef _WIN32
    // The dialog manager turns Escape into this command.
    ::SendMessageW(d.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
#else
    QTest::keyClick(WidgetOf(&d), Qt::Key_Escape);
#endif
}

void Type(CDialog& d, const std::string& user, const std::string& password)
{
    d.SetDlgItemText(IDC_PROXY_USER, user);
    d.SetDlgItemText(IDC_PROXY_PASSWORD, password);
}

TEST(ProxyLoginDlg, BlankEntriesKeepItOpenPasswordFirstAndTheTextsReturnAsTyped)
{
    ModalScript script;
    std::vector<bool> endedAfterEachClick;
    script.ExpectDialog(IDD_PROXY_LOGIN, [&](CDialog& d) {
        ClickOk(d);
        endedAfterEachClick.push_back(d.IsEnded());
        Type(d, "   ", "secret");
        ClickOk(d);
        endedAfterEachClick.push_back(d.IsEnded());
        Type(d, " bob ", " secret");
        ClickOk(d);
        endedAfterEachClick.push_back(d.IsEnded());
    });
    script.ExpectBox("Please enter a password.", AfxGetAppName());
    script.ExpectBox("Please enter a username.", AfxGetAppName());
    CProxyLoginDlg login;
    EXPECT_EQ(login.DoModal(), IDOK);
    EXPECT_EQ(endedAfterEachClick, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(login.GetUser(), " bob ");
    EXPECT_EQ(login.GetPassword(), " secret");
    EXPECT_TRUE(script.Finished());
}

TEST(ProxyLoginDlg, OverlongCredentialsAreRefusedRatherThanCut)
{
    ModalScript script;
    bool endedAfterLong = true;
    script.ExpectDialog(IDD_PROXY_LOGIN, [&](CDialog& d) {
        Type(d, std::string(256, 'u'), "p");
        ClickOk(d);
        endedAfterLong = d.IsEnded();
        Type(d, std::string(255, 'u'), "p");
        ClickOk(d);
    });
    script.ExpectBox("The username is longer than 255 characters. Please enter a shorter one.",
                     AfxGetAppName());
    CProxyLoginDlg login;
    EXPECT_EQ(login.DoModal(), IDOK);
    EXPECT_FALSE(endedAfterLong);
    EXPECT_EQ(login.GetUser(), std::string(255, 'u'));
}

TEST(ProxyLoginDlg, EscapeAndCancelEndWithTheCancelResult)
{
    ModalScript script;
    script.ExpectDialog(IDD_PROXY_LOGIN, [](CDialog& d) {
        Type(d, "bob", "secret");
        PressEscape(d);
    });
    script.ExpectDialog(IDD_PROXY_LOGIN,
                        [](CDialog& d) { static_cast<CButton*>(d.GetDlgItem(IDCANCEL))->Click(); });
    CProxyLoginDlg first;
    EXPECT_EQ(first.DoModal(), IDCANCEL);
    CProxyLoginDlg second;
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.GetUser(), "");
}

} // namespace
