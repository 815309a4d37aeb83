// What ui/linux/ and ui/windows/ must each define: the dialog layer's backend contract (internal).
#pragma once

#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/ModalDriver.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Screenshot.h"
#include "platform/ui/ShellFolderPicker.h"

// Message tables, data exchange, menus' entries, the modal driver, resources and the texts of boxes are
// shared; a backend makes and drives the windows (Qt 6 Widgets on Linux, the Win32 dialog manager on
// Windows). Members of the public classes each backend defines:
//   CWnd::Attach, Detach, FromHandle            link a window handle and its object
//   CWnd::~CWnd                                 lets go of the window the object stands for
//   CWnd::GetDlgItem, GetDlgCtrlID, GetParent   a window's controls, its identifier and its owner
//   CWnd::GetWindowText, SetWindowText          the text (GetWindowTextLength and the DlgItem forms are
//   shared) CWnd::CheckDlgButton, IsDlgButtonChecked    a button's check by the control's identifier
//   CWnd::EnableWindow, IsWindowEnabled         enabled state
//   CWnd::ShowWindow, IsWindowVisible, IsIconic shown, hidden, minimised, restored
//   CWnd::SetFocus, GetFocus                    the keyboard focus
//   CWnd::GetClientRect, GetWindowRect, MoveWindow, ClientToScreen, ScreenToClient   geometry in pixels
//   CWnd::Invalidate, RedrawWindow, UpdateWindow, OnPaint   painting
//   CWnd::SetIcon, GetIcon                      the window's big and small icons
//   CWnd::GetSystemMenu                         the system menu as a CMenu (Reset with a mirror on Windows)
//   CWnd::MessageBox                            a box owned by the window, through the modal driver
//   CWnd::DefWindowProc                         what the system does with a message no table handles
//   CDialog::CDialog, BuildWindow, DestroyBuiltWindow   the window made from a template, and gone again
//   CDialog::Create, DoModal, EndDialog, DestroyWindow  modeless and modal runs
//   CDialog::UpdateData, DoDataExchange, MapDialogRect  data exchange and dialog units
//   CButton::Click, GetCheck, SetCheck; CEdit::GetReadOnly; CStatic::GetIcon, SetIcon
//   CListCtrl::InsertItem, DeleteItem, DeleteAllItems, GetItemCount, GetItemText, GetItemState,
//     SetItemState, GetNextItem, GetSelectionMark, SetSelectionMark, EnsureVisible, IsItemFullyVisible
//   CPaintDC::CPaintDC, ~CPaintDC, GetSafeHdc, DrawIcon
//   CFileDialog::RunSystemPicker                the system's file-open picker, when no driver answers
// Free functions each backend defines (declared in the public headers above):
//   AfxWinMain (CWinApp.h), AfxLoadIcon (Resources.h), SaveWindowImage and UseOffscreenRendering
//   (Screenshot.h), SHBrowseForFolder (ShellFolderPicker.h); Linux also the calls Windows takes from the
//   system: GetSystemMetrics (CPaintDC.h), CoInitialize, CoUninitialize, SHGetPathFromIDList and
//   CoTaskMemFree (ShellFolderPicker.h).

namespace ui::detail {

// The system's own message box, shown when no modal driver answers it: modal over its owner (or the
// default owner); gives the button that ended it. The shared MessageBox.cpp calls it.
int ShowSystemMessageBox(const MessageBoxCall& call);

} // namespace ui::detail
