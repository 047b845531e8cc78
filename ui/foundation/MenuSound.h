#pragma once
// The system's menu sounds, played on one background thread of
// below-normal priority so that the interface never waits for a sound.
// The thread sleeps on an event until a request arrives; requests made
// while a sound plays are kept (the latest one wins) and play after it.
#include "framework/win/WinSdk.h"

#include <mmsystem.h>

enum MenuSoundRequest {
    kMenuSoundStop = -1,      // ends the sound thread (a later request starts a new one)
    kMenuSoundCommand = 1,    // "MenuCommand": a menu command was chosen
    kMenuSoundPopup = 2,      // "MenuPopup": a popup menu opened or expanded
};

// Menu sounds on (the default) or off; while off, requests do nothing.
extern BOOL g_menuSoundsEnabled;

void PlayMenuSound(int nSound);

// The sound thread's id, 0 while there is none.
DWORD GetMenuSoundThreadId();
