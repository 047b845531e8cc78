#include "ui/foundation/ZUDPMessages.h"

const UINT ZUDM_ONSETCONTROLVMMODE = ::RegisterWindowMessageA("ZUDM_ONSETCONTROLVMMODE");
const UINT ZUDM_ONSETCONTROLAERO = ::RegisterWindowMessageA("ZUDM_ONSETCONTROLAERO");
