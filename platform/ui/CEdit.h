// Single-line edit boxes.
#pragma once

#include <string>

#include "platform/ui/CWnd.h"

class CEdit : public CWnd
{
public:
    BOOL GetReadOnly() const;
};
