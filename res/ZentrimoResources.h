// The program's resources as one module for the dialog layer.
#pragma once

#include "platform/ui/Resources.h"

// Static data; hand it to AfxSetResourceHandle at start.
const ui::ResourceModule& ZentrimoResources();
