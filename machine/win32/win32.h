// What the Win32 back end's files share: the window procedure the window
// class is registered with.
#pragma once

#include <windows.h>

// Answers the few messages the game cares about (see win32_events.cpp);
// everything else goes to DefWindowProcA.
LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
