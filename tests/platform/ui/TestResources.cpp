// Templates for the dialog-layer tests.
#include "tests/platform/ui/TestResources.h"

namespace {

using ui::ControlClass;
using ui::ControlTemplate;

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

const ControlTemplate kFormControls[] = {
    {IDOK, ControlClass::Button, "OK", 10, 100, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDCANCEL, ControlClass::Button, "Cancel", 70, 100, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {IDC_T_EDIT, ControlClass::Edit, "", 10, 10, 100, 14, kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {IDC_T_LIST, ControlClass::ListView, "", 10, 30, 100, 40,
     kChild | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP},
    {IDC_T_RADIO_A, ControlClass::Button, "A", 120, 10, 40, 10, kChild | BS_AUTORADIOBUTTON | WS_GROUP},
    {IDC_T_RADIO_B, ControlClass::Button, "B", 120, 22, 40, 10, kChild | BS_AUTORADIOBUTTON | WS_GROUP},
    {IDC_T_PUSH, ControlClass::Button, "Push", 120, 40, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {IDC_T_LABEL, ControlClass::Static, "Label & text", 120, 60, 60, 8, kChild | SS_LEFT | SS_NOPREFIX},
    {IDC_T_READONLY, ControlClass::Edit, "fixed", 10, 75, 100, 14, kChild | ES_READONLY | WS_BORDER},
    {IDC_T_HIDDEN, ControlClass::Button, "Hidden", 180, 10, 40, 14, WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP},
    {IDC_T_DISABLED, ControlClass::Button, "Off", 180, 30, 40, 14,
     kChild | WS_DISABLED | BS_PUSHBUTTON | WS_TABSTOP},
    {IDC_STATIC, ControlClass::Button, "Group", 5, 5, 220, 90, kChild | BS_GROUPBOX},
    {IDC_STATIC, ControlClass::Static, "", 180, 60, 20, 20, kChild | SS_ICON, 0, IDI_TEST},
};

const ControlTemplate kBoxControls[] = {
    {IDOK, ControlClass::Button, "Close", 10, 10, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
};

const ControlTemplate kNoticeControls[] = {
    {IDC_T_LABEL, ControlClass::Static, "Static", 5, 5, 100, 20, kChild | SS_CENTER},
};

const ui::DialogTemplate kDialogs[] = {
    {IDD_TEST_FORM, "Form", 230, 120,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME, 0, "MS Sans Serif", 8,
     kFormControls},
    {IDD_TEST_BOX, "Box", 70, 30, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, "MS Sans Serif", 8,
     kBoxControls},
    {IDD_TEST_NOTICE, "", 110, 30, WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_CENTER, 0,
     "MS Sans Serif", 8, kNoticeControls},
};

const DWORD kPalette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
const char* const kSmallRows[] = {
    "9999999999999999", "9..............9", "9..............9", "9..............9",
    "9..............9", "9..............9", "9..............9", "9..............9",
    "9..............9", "9..............9", "9..............9", "9..............9",
    "9..............9", "9..............9", "9..............9", "999999999999999c"};
const ui::IconImage kImages[] = {{16, 16, kSmallRows}};
const ui::IconResource kIcons[] = {{IDI_TEST, kPalette, kImages}};
const ui::StringResource kStrings[] = {{IDS_TEST, "&Test entry..."}};

} // namespace

const ui::ResourceModule& TestResources()
{
    static const ui::ResourceModule module = {kDialogs, kIcons, kStrings, nullptr};
    return module;
}
