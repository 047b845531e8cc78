#pragma once
// Everything of the framework: the portable part and the window part.  Code
// of the project includes the headers of what it uses instead.
#include "framework/win/WinSdk.h"
#include "framework/Framework.h"

#include "framework/win/Rect.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/ThreadState.h"
#include "framework/win/HandleMap.h"
#include "framework/win/Wnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/DC.h"
#include "framework/win/Menu.h"
#include "framework/win/ImageList.h"
#include "framework/win/Controls.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/TreeCtrl.h"
#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"
#include "framework/win/FileDialog.h"
#include "framework/win/AsyncSocket.h"
#include "framework/win/ShellTreeCtrl.h"
