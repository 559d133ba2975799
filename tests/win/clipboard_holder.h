#pragma once
// Another program holding the clipboard open (clipboard_holder.exe) for as long as it is alive.

#include <windows.h>

#include <string>

namespace wendrill::test {

class ClipboardHeldElsewhere {
  public:
    explicit ClipboardHeldElsewhere(DWORD holdMs = 3000) {
        wchar_t path[MAX_PATH];
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring holder(path);
        holder = holder.substr(0, holder.find_last_of(L'\\') + 1) + L"clipboard_holder.exe";
        const wchar_t* eventName = L"WendrillClipboardHeld";
        ready_ = CreateEventW(nullptr, TRUE, FALSE, eventName);
        std::wstring commandLine =
            L"\"" + holder + L"\" " + std::to_wstring(holdMs) + L" " + eventName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(holder.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process_) != 0;
        held_ = started_ && WaitForSingleObject(ready_, 10000) == WAIT_OBJECT_0;
    }
    ~ClipboardHeldElsewhere() {
        if (started_) {
            WaitForSingleObject(process_.hProcess, 10000);
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
        CloseHandle(ready_);
    }
    ClipboardHeldElsewhere(const ClipboardHeldElsewhere&) = delete;
    ClipboardHeldElsewhere& operator=(const ClipboardHeldElsewhere&) = delete;
    bool held() const { return held_; }

  private:
    HANDLE ready_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
    bool held_ = false;
};

}  // namespace wendrill::test
