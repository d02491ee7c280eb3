// SPDX-License-Identifier: MIT
// Makes a program's UI Automation active as a screen reader does as it starts: it asks each
// visible top-level window of the desktop for its UI Automation root (WM_GETOBJECT with
// UiaRootObjectId). Qt answers the first such request by turning its accessibility on, from
// which time it passes events to UIAutomationCore.dll. Says how many windows it asked.
#include <cstdio>
#include <windows.h>

namespace {

// UiaRootObjectId, as uiautomationcoreapi.h defines it.
constexpr LPARAM kUiaRootObjectId = -25;

BOOL CALLBACK Ask(HWND window, LPARAM asked) {
    if (IsWindowVisible(window)) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(window, WM_GETOBJECT, 0, kUiaRootObjectId, SMTO_ABORTIFHUNG, 5000,
                                &result) != 0) {
            ++*reinterpret_cast<int*>(asked);
        }
    }
    return TRUE;
}

} // namespace

int main() {
    int asked = 0;
    EnumWindows(&Ask, reinterpret_cast<LPARAM>(&asked));
    std::printf("asked %d windows for their UI Automation root\n", asked);
    return asked > 0 ? 0 : 1;
}
