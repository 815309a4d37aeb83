// The seam through which tests answer modal dialogs, message boxes and pickers.
#pragma once

#include <optional>
#include <string>

#include "platform/ui/WinTypes.h"

class CDialog;

namespace ui {

// What a message box would show.
struct MessageBoxCall
{
    HWND owner; // the owning window (may be null)
    std::string text;
    std::string caption; // already resolved: the application's name for a box without a caption
    UINT type;           // MB_OK, maybe | MB_ICONEXCLAMATION
};

// What the folder picker would show.
struct FolderPickerCall
{
    HWND owner;
    std::string title;
    UINT flags; // BIF_ options
};

// What the file-open picker would show.
struct FileOpenCall
{
    HWND owner;
    std::string initialFolder; // Windows form
    std::string filter;        // "Description|pattern|...|", as the program wrote it
    std::string defaultExt;
    std::string fileName;
    DWORD flags; // OFN_ options
};

// While a driver is installed every modal run goes to it instead of the user, on the same thread
// and synchronously, so nested runs (a box opened by a dialog the driver is acting on) reach it
// again:
// - RunDialog gets a dialog that is built, initialised and shown, with real widgets. It acts on the
//   controls (CWnd::GetDlgItem, CButton::Click, QTest on the Qt backend's WidgetOf) and ends the dialog,
//   normally by clicking OK or Cancel or by EndDialog. If it returns without the dialog having ended, DoModal
//   ends it with -1, so a forgotten answer shows up as a wrong result instead of a hang.
// - RunMessageBox gets the box's text, caption and icon and returns the button (IDOK).
// - RunFolderPicker / RunFileOpenPicker return the chosen path in Windows form, or nullopt for a
//   cancelled picker.
// Without a driver, the same calls run for the user. Nothing else in the program can tell.
class ModalDriver
{
public:
    virtual ~ModalDriver() = default;
    virtual void RunDialog(CDialog& dialog) = 0;
    virtual int RunMessageBox(const MessageBoxCall& box) = 0;
    virtual std::optional<std::string> RunFolderPicker(const FolderPickerCall& picker) = 0;
    virtual std::optional<std::string> RunFileOpenPicker(const FileOpenCall& picker) = 0;
};

// Installs driver (null: back to the user) and returns the one it replaces. Not owned.
ModalDriver* SetModalDriver(ModalDriver* driver);
ModalDriver* GetModalDriver();

// Installs a driver for the life of a scope.
class ScopedModalDriver
{
public:
    explicit ScopedModalDriver(ModalDriver& driver) : m_previous(SetModalDriver(&driver)) {}
    ~ScopedModalDriver() { SetModalDriver(m_previous); }
    ScopedModalDriver(const ScopedModalDriver&) = delete;
    ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;

private:
    ModalDriver* m_previous;
};

} // namespace ui
