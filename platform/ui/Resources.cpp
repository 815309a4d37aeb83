// Resource lookup: the module in force and the strings it holds.
#include "platform/ui/Resources.h"

namespace {

const ui::ResourceModule* g_module = nullptr;

} // namespace

namespace ui {

int IconPaletteIndex(char pixel)
{
    if (pixel >= '0' && pixel <= '9')
        return pixel - '0';
    if (pixel >= 'a' && pixel <= 'f')
        return pixel - 'a' + 10;
    return -1;
}

const DialogTemplate* ResourceModule::FindDialog(UINT id) const
{
    for (const DialogTemplate& d : dialogs)
        if (d.id == id)
            return &d;
    return nullptr;
}

const IconResource* ResourceModule::FindIcon(UINT id) const
{
    for (const IconResource& i : icons)
        if (i.id == id)
            return &i;
    return nullptr;
}

const StringResource* ResourceModule::FindString(UINT id) const
{
    for (const StringResource& s : strings)
        if (s.id == id)
            return &s;
    return nullptr;
}

} // namespace ui

void AfxSetResourceHandle(const ui::ResourceModule* module)
{
    g_module = module;
}

const ui::ResourceModule* AfxGetResourceHandle()
{
    return g_module;
}

std::string AfxLoadString(UINT id)
{
    const ui::StringResource* s = g_module ? g_module->FindString(id) : nullptr;
    return s && s->text ? std::string(s->text) : std::string();
}
