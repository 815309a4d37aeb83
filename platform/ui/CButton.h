// Push buttons, radio buttons and group boxes.
#pragma once

#include <string>

#include "platform/ui/CWnd.h"

class CButton : public CWnd
{
public:
    // BST_CHECKED or BST_UNCHECKED; a push button reads as unchecked.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // As a click by the user: raises BN_CLICKED unless the button is disabled.
    void Click();
};
