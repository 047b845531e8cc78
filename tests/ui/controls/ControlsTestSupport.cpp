#include "tests/ui/controls/ControlsTestSupport.h"

IMPLEMENT_DYNCREATE(CControlsRecordingManager, CZUDPVisualManager)
