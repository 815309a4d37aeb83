// Answers for the service's dialogs in scripted window tests: the proxy login and the request form.
#pragma once

#include <string>

#include "platform/ui/CButton.h"
#include "res/resource.h"
#include "tests/support/ModalScript.h"

// Types the user and the password into the proxy login and clicks OK.
inline ModalScript::DialogAction LogIn(std::string user, std::string password)
{
    return [user, password](CDialog& d) {
        d.SetDlgItemText(IDC_PROXY_USER, user);
        d.SetDlgItemText(IDC_PROXY_PASSWORD, password);
        static_cast<CButton*>(d.GetDlgItem(IDOK))->Click();
    };
}

struct Form
{
    std::string record, pronunciation, requester, email, comments;
};

// Fills the request form's boxes and ends it with the given button.
inline ModalScript::DialogAction FillForm(Form form, int button, Form* shown = nullptr)
{
    return [form, button, shown](CDialog& d) {
        if (shown)
            *shown = {d.GetDlgItem(IDC_RECORD_NAME)->GetWindowText(),
                      d.GetDlgItem(IDC_PRONUNCIATION)->GetWindowText(),
                      d.GetDlgItem(IDC_YOUR_NAME)->GetWindowText(), d.GetDlgItem(IDC_EMAIL)->GetWindowText(),
                      d.GetDlgItem(IDC_COMMENTS)->GetWindowText()};
        d.SetDlgItemText(IDC_RECORD_NAME, form.record);
        d.SetDlgItemText(IDC_PRONUNCIATION, form.pronunciation);
        d.SetDlgItemText(IDC_YOUR_NAME, form.requester);
        d.SetDlgItemText(IDC_EMAIL, form.email);
        d.SetDlgItemText(IDC_COMMENTS, form.comments);
        if (button == IDOK)
            d.OnOK();
        else
            d.OnCancel();
    };
}
