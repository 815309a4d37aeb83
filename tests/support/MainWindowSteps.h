// What the main window's tests do with the window, whatever peers their fixture gives it: the
// scenario clicks and the controls' states, texts and places.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/CMainDlg.h"
#include "tests/support/MainDlgTestAccess.h"

class MainWindowSteps
{
protected:
    void ClickWeb() { Peek(*dlg).m_btnScenarioWeb.Click(); }
    void ClickOffline() { Peek(*dlg).m_btnScenarioOffline.Click(); }

    void Type(const std::string& text) { Peek(*dlg).m_editSearchText.SetWindowText(text); }

    CWnd& Item(int id) { return *dlg->GetDlgItem(id); }
    bool Enabled(int id) { return Item(id).IsWindowEnabled(); }
    bool Visible(int id) { return Item(id).IsWindowVisible(); }
    std::string Text(int id) { return Item(id).GetWindowText(); }

    // A control's rectangle in the main window's client pixels.
    CRect Place(int id)
    {
        CRect rect;
        Item(id).GetWindowRect(&rect);
        dlg->ScreenToClient(&rect);
        return rect;
    }

    int Selected() { return Peek(*dlg).m_listNames.GetNextItem(-1, LVNI_SELECTED); }

    // m_bWebScenario may be true only after the first choice has completed.
    void ExpectInvariant() { EXPECT_FALSE(Peek(*dlg).m_bWebScenario && Peek(*dlg).m_bFirstChoice); }

    // Destroys the window; the fixtures call it first in their destructors, while the peers it may
    // still talk to are alive.
    void CloseWindow()
    {
        if (dlg)
            dlg->DestroyWindow();
        dlg.reset();
    }

    std::unique_ptr<CMainDlg> dlg;
};
