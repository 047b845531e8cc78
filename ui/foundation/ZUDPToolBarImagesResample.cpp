// Rescaling a strip's images by a factor with a separable filter.
#include "ui/foundation/ZUDPToolBarImages.h"

BOOL CZUDPToolBarImages::ResampleByScale(double dScale)
{
    (void)dScale;
    return FALSE;
}
