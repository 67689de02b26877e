// The window procedure, the message pump, the keys and the pointer on Win32.
#include <windows.h>

#include "../platform.h"
#include "win32.h"

// Events the window procedure saw and the game has not taken yet. A message
// can reach the procedure outside DispatchMessageA too (sent by the system
// while PeekMessageA runs, or by DefWindowProcA turning Alt+F4 into WM_CLOSE),
// so what it sees is queued here and handed out one at a time.
constexpr int PendingMax = 16;
static WindowEvent pending[PendingMax];
static int pendingFirst = 0, pendingCount = 0;

static void Post(WindowEvent event) {
    if (pendingCount == PendingMax) return;   // a flood of clicks: the rest is dropped
    pending[(pendingFirst + pendingCount) % PendingMax] = event;
    ++pendingCount;
}

static bool Take(WindowEvent* event) {
    if (pendingCount == 0) return false;
    *event = pending[pendingFirst];
    pendingFirst = (pendingFirst + 1) % PendingMax;
    --pendingCount;
    return true;
}

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE: return 0;   // no default processing
        case WM_CLOSE: Post(WindowEvent::Close); return 0;   // the game decides when to end; the window stays
        case WM_KEYDOWN:
        case WM_KEYUP: return 0;   // keys are polled
        case WM_SYSCOMMAND:
            // The game runs for long stretches without input while the player
            // watches: the screen saver and monitor power-down are turned away.
            if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
            break;
        case WM_LBUTTONDOWN: Post(WindowEvent::LeftButton); return 0;
        case WM_RBUTTONDOWN: Post(WindowEvent::RightButton); return 0;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool PlatformNextEvent(WindowEvent* event) {
    if (Take(event)) return true;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return Take(event);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    if (!Take(event)) *event = WindowEvent::Other;
    return true;
}

void PlatformPointer(int* x, int* y) {
    POINT p{0, 0};
    GetCursorPos(&p);
    *x = p.x;
    *y = p.y;
}

// The bracket keys are chosen for their place, as on a US keyboard, not for
// the symbol: on other layouts the key in that place has another virtual-key
// code, found from its scan code. Letters and digits need nothing: Windows
// already gives them the codes the current layout prints on them.
struct PlacedKey {
    int virtualKey;
    UINT scanCode;
};
constexpr PlacedKey PlacedKeys[] = {{219, 0x1A}, {221, 0x1B}};

bool PlatformKeyHeld(int virtualKey) {
    if (virtualKey <= 0 || virtualKey > 254) return false;
    for (const PlacedKey& k : PlacedKeys) {
        if (k.virtualKey != virtualKey) continue;
        const UINT placed = MapVirtualKeyA(k.scanCode, MAPVK_VSC_TO_VK);
        if (placed != 0) virtualKey = static_cast<int>(placed);
    }
    // The top bit: held at this moment. The low bit (pressed since the last
    // call) is not used, so each poll sees only the key's present state.
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}
