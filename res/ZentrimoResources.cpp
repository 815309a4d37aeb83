// The resource module: dialogs, icon 128, string 101 and the version record.
#include "res/ZentrimoResources.h"

#include "res/ResourceParts.h"
#include "res/resource.h"

namespace {

const ui::StringResource kStrings[] = {
    {IDS_ABOUTBOX, "&About Zentrimo..."},
};

// US English, code page 1200 (Unicode).
const ui::VersionResource kVersion = {"1, 0, 0, 1",           "1, 0, 0, 1", "Zentrimo", "Zentrimo.EXE",
                                      "Zentrimo Application", 0x0409,       1200};

} // namespace

const ui::ResourceModule& ZentrimoResources()
{
    static const ui::IconResource* const icon = &ZentrimoIcon();
    static const ui::ResourceModule module = {ZentrimoDialogs(), std::span<const ui::IconResource>(icon, 1),
                                              kStrings, &kVersion};
    return module;
}
