// The pieces the resource module is assembled from, one file each.
#pragma once

#include <span>

#include "platform/ui/Resources.h"

std::span<const ui::DialogTemplate> ZentrimoDialogs();
const ui::IconResource& ZentrimoIcon();
