// Templates the dialog-layer tests build: one dialog with every kind of control, and a small box.
#pragma once

#include "platform/ui/Resources.h"

enum : UINT {
    IDD_TEST_FORM = 500,
    IDD_TEST_BOX = 501,
    IDD_TEST_NOTICE = 502,
    IDI_TEST = 600,
    IDS_TEST = 700,
};

enum : int {
    IDC_T_EDIT = 2001,
    IDC_T_LIST = 2002,
    IDC_T_RADIO_A = 2003,
    IDC_T_RADIO_B = 2004,
    IDC_T_PUSH = 2005,
    IDC_T_LABEL = 2006,
    IDC_T_READONLY = 2007,
    IDC_T_HIDDEN = 2008,
    IDC_T_DISABLED = 2009,
};

const ui::ResourceModule& TestResources();
