#pragma once
// Registered window messages of the library through which dialogs tell
// their themed controls how to paint.  Each variable holds the value the
// system gave the message name; message maps list them with
// ON_REGISTERED_MESSAGE.
#include "framework/win/WinSdk.h"

// wParam TRUE: the control paints through the visual manager.
extern const UINT ZUDM_ONSETCONTROLVMMODE;
// wParam TRUE: the control lies on glass.
extern const UINT ZUDM_ONSETCONTROLAERO;
