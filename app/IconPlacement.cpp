// Centring the icon of a minimised window.
#include "app/IconPlacement.h"

CPoint CenteredIconOrigin(const CRect& client, int cxIcon, int cyIcon)
{
    return CPoint((client.Width() - cxIcon + 1) / 2, (client.Height() - cyIcon + 1) / 2);
}
