#include "ui/docking/ZUDPCaptionButton.h"

IMPLEMENT_DYNAMIC(CZUDPCaptionButton, CObject)
IMPLEMENT_DYNAMIC(CZUDPFrameCaptionButton, CZUDPCaptionButton)

int CZUDPCaptionButton::GetMenuImageId(BOOL bHorz, BOOL bMaximized) const
{
    (void)bHorz;
    (void)bMaximized;
    return -1;
}
