// The resource data a program hands to the dialog layer: dialog templates, icons, strings, version.
#pragma once

#include <span>
#include <string>

#include "platform/ui/WinStyles.h"

namespace ui {

// The window class of a template control; with its style bits it decides the widget.
enum class ControlClass { Button, Edit, Static, ListView };

// One control of a dialog template, in dialog units. For an icon static (SS_ICON) imageId names the
// icon resource and text is unused.
struct ControlTemplate
{
    int id;
    ControlClass windowClass;
    const char* text;
    int x, y, cx, cy;
    DWORD style;
    DWORD exStyle = 0;
    UINT imageId = 0;
};

// A dialog template. cx and cy are the client size in dialog units; controls are in template order,
// which is also the tab order. The dialog font's metrics give the dialog base units.
struct DialogTemplate
{
    UINT id;
    const char* caption;
    int cx, cy;
    DWORD style;
    DWORD exStyle;
    const char* fontName;
    int pointSize;
    std::span<const ControlTemplate> controls;
};

// A 16-colour image: rows of pixel indices into a 16-entry palette, one character per pixel
// ('0'-'9', 'a'-'f'); '.' is transparent (the AND mask is set).
struct IconImage
{
    int width;
    int height;
    std::span<const char* const> rows;
};

// The palette index a pixel character stands for; -1 for a transparent pixel.
int IconPaletteIndex(char pixel);

struct IconResource
{
    UINT id;
    std::span<const DWORD, 16> palette; // 0x00RRGGBB
    std::span<const IconImage> images;
};

struct StringResource
{
    UINT id;
    const char* text;
};

struct VersionResource
{
    const char* fileVersion;
    const char* productVersion;
    const char* internalName;
    const char* originalFilename;
    const char* productName;
    WORD language;
    WORD codePage;
};

// Everything the program's resources hold. The layer reads it and never copies it, so it must stay
// alive while the layer runs (normally static data).
struct ResourceModule
{
    std::span<const DialogTemplate> dialogs;
    std::span<const IconResource> icons;
    std::span<const StringResource> strings;
    const VersionResource* version;

    const DialogTemplate* FindDialog(UINT id) const;
    const IconResource* FindIcon(UINT id) const;
    const StringResource* FindString(UINT id) const;
};

} // namespace ui

// The module whose resources dialogs, icons and strings come from. The program sets it once at
// start; a test sets the resources it exercises. Until set, every lookup finds nothing.
void AfxSetResourceHandle(const ui::ResourceModule* module);
const ui::ResourceModule* AfxGetResourceHandle();

// Loads string resource id; empty when there is none.
std::string AfxLoadString(UINT id);

// Icon resource id as a handle (the same handle on every call); null when there is none.
HICON AfxLoadIcon(UINT id);
