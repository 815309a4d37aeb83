// Static texts and icons.
#pragma once

#include <string>

#include "platform/ui/CWnd.h"

class CStatic : public CWnd
{
public:
    HICON SetIcon(HICON hIcon);
    HICON GetIcon() const;
};
