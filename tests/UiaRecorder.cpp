// SPDX-License-Identifier: MIT
// A stand-in for Windows' UIAutomationCore.dll that records what a program would have its
// screen reader say: each notification event's display string, and the name of each element
// that takes the focus after "focus: ", appended as lines of UTF-8 to the file named by
// UIA_RECORDING. It exports what Qt's UI Automation bridge looks up in that library, and
// otherwise answers as a system where a client listens but asks for nothing more.
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

void Record(const wchar_t* text, std::string line = {}) {
    const std::wstring file = RecordingFile();
    if (file.empty()) {
        return;
    }
    const int textLength =
        text == nullptr ? 0 : static_cast<int>(SysStringLen(const_cast<BSTR>(text)));
    if (textLength > 0) {
        const size_t start = line.size();
        line.resize(start + static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text, textLength,
                                                                    nullptr, 0, nullptr, nullptr)));
        WideCharToMultiByte(CP_UTF8, 0, text, textLength, line.data() + start,
                            static_cast<int>(line.size() - start), nullptr, nullptr);
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

// IRawElementProviderSimple as it is in memory: what a provider that Qt raises an event for
// is asked here.
struct ElementProvider;
struct ElementProviderTable {
    HRESULT(STDMETHODCALLTYPE* QueryInterface)(ElementProvider*, const IID*, void**);
    ULONG(STDMETHODCALLTYPE* AddRef)(ElementProvider*);
    ULONG(STDMETHODCALLTYPE* Release)(ElementProvider*);
    HRESULT(STDMETHODCALLTYPE* get_ProviderOptions)(ElementProvider*, int*);
    HRESULT(STDMETHODCALLTYPE* GetPatternProvider)(ElementProvider*, int, void**);
    HRESULT(STDMETHODCALLTYPE* GetPropertyValue)(ElementProvider*, int, VARIANT*);
    HRESULT(STDMETHODCALLTYPE* get_HostRawElementProvider)(ElementProvider*, void**);
};
struct ElementProvider {
    const ElementProviderTable* table;
};

// UIA_AutomationFocusChangedEventId and UIA_NamePropertyId, as uiautomationclient.h has them.
constexpr int kFocusChanged = 20005;
constexpr int kName = 30005;

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

__declspec(dllexport) HRESULT WINAPI UiaRaiseAutomationEvent(void* provider, int event) {
    if (event == kFocusChanged && provider != nullptr) {
        auto* element = static_cast<ElementProvider*>(provider);
        VARIANT name;
        VariantInit(&name);
        if (SUCCEEDED(element->table->GetPropertyValue(element, kName, &name)) &&
            name.vt == VT_BSTR) {
            Record(name.bstrVal, "focus: ");
        }
        VariantClear(&name);
    }
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
