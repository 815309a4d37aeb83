// Where a minimised window draws its icon.
#pragma once

#include "platform/ui/CRect.h"

// The top-left corner that centres an icon of cxIcon x cyIcon in client: ((width - cx + 1) / 2,
// (height - cy + 1) / 2), truncating.
CPoint CenteredIconOrigin(const CRect& client, int cxIcon, int cyIcon);
