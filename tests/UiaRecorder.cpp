// SPDX-License-Identifier: MIT
// A stand-in for Windows' UIAutomationCore.dll that records what a program would have its
// screen reader say: each notification event's display string, appended as a line of UTF-8 to
// the file named by UIA_RECORDING. It exports what Qt's UI Automation bridge looks up in that
// library, and otherwise answers as a system where a client listens but asks for nothing.
// Wine's own library lacks UiaRaiseNotificationEvent, so that without this stand-in Qt falls
// back on a change of the value property, which Wine passes to nobody.
#include <string>
#include <windows.h>

namespace {

// The recording's name, or empty when there is none to write.
std::wstring RecordingFile() {
    wchar_t name[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"UIA_RECORDING", name, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(name, length) : std::wstring();
}

void Record(const wchar_t* text) {
    const std::wstring file = RecordingFile();
    if (file.empty()) {
        return;
    }
    std::string line;
    const int textLength =
        text == nullptr ? 0 : static_cast<int>(SysStringLen(const_cast<BSTR>(text)));
    if (textLength > 0) {
        line.resize(static_cast<size_t>(
            WideCharToMultiByte(CP_UTF8, 0, text, textLength, nullptr, 0, nullptr, nullptr)));
        WideCharToMultiByte(CP_UTF8, 0, text, textLength, line.data(),
                            static_cast<int>(line.size()), nullptr, nullptr);
    }
    line += '\n';
    const HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(handle);
}

} // namespace

// The entry points, with UI Automation's own types reduced to what they are in memory.
extern "C" {

__declspec(dllexport) BOOL WINAPI UiaClientsAreListening() {
    return TRUE;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseNotificationEvent(void* /*provider*/, int /*kind*/, int /*processing*/,
                              BSTR displayString, BSTR /*activityId*/) {
    Record(displayString);
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(void* /*provider*/, int /*event*/) {
    return S_OK;
}

__declspec(dllexport) HRESULT WINAPI
    UiaRaiseAutomationPropertyChangedEvent(void* /*provider*/, int /*property*/,
                                           VARIANT /*oldValue*/, VARIANT /*newValue*/) {
    return S_OK;
}

// The client takes no provider, so there is none to return to it.
__declspec(dllexport) LRESULT WINAPI
    UiaReturnRawElementProvider(HWND /*window*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                void* /*provider*/) {
    return 0;
}

__declspec(dllexport) HRESULT WINAPI UiaHostProviderFromHwnd(HWND /*window*/, void** provider) {
    if (provider != nullptr) {
        *provider = nullptr;
    }
    return E_NOTIMPL;
}

} // extern "C"
