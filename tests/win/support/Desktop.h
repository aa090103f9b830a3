#pragma once
// What end-to-end tests need to drive a program as a user would: start it,
// find its windows and message boxes, read the screen, move and click the mouse,
// press keys.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A value under HKEY_CURRENT_USER for the life of the object (Wine's settings
// for the programs a test starts), put back as it was afterwards, or removed
// when there was none. `bytes` is the value's data as RegSetValueEx takes it.
class UserRegistryValue {
public:
    UserRegistryValue(std::string key, std::string name, DWORD type, const std::string& bytes);
    ~UserRegistryValue();
    UserRegistryValue(const UserRegistryValue&) = delete;
    UserRegistryValue& operator=(const UserRegistryValue&) = delete;

private:
    bool Set(DWORD type, const std::string* bytes) const;

    std::string m_key, m_name;
    bool m_had = false;
    DWORD m_oldType = REG_NONE;
    std::string m_old;
};

// A started program; terminated at the end of the test if still running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::string& exe, const std::string& workDir);
    DWORD Id() const { return m_info.dwProcessId; }
    bool Running() const;
    // Waits for the end of the process; true with its exit code when it ended in time.
    bool WaitExit(int ms, DWORD* code = nullptr) const;

private:
    PROCESS_INFORMATION m_info{};
};

// The first visible top-level window of the process with that title (any class
// when className is null), polling until `ms` have passed.
HWND WaitForWindow(DWORD pid, const std::string& title, const char* className, int ms);

// A message box ("#32770" with a static text) of the process, with its texts.
struct MessageBoxInfo {
    HWND wnd = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
};
MessageBoxInfo WaitForMessageBox(DWORD pid, int ms);
void CloseMessageBox(HWND box);

// Screen pixels as 0x00RRGGBB, row by row from the top of `rect`.
std::vector<std::uint32_t> CaptureScreen(const RECT& rect);
// Writes a screen area to a 24-bit BMP file (for looking at a failure).
void SaveScreen(const RECT& rect, const std::string& path);
// Waits until the screen at `rect` shows exactly `expected` (0x00RRGGBB, rows
// from the top); returns how many pixels differ at the end (0: it did).
int WaitForScreen(const RECT& rect, const std::vector<std::uint32_t>& expected, int ms);

// The text of a visible tooltip window of the process, waiting until one shows
// (one that shows `expected`, unless that is empty); empty when none did in time.
std::string WaitForToolTip(DWORD pid, int ms, const std::string& expected = "");

void MoveMouse(int x, int y);
void MouseButton(bool down);
// Moves from where the pointer is to (x, y) in `steps` moves, as a hand would.
void DragTo(int fromX, int fromY, int toX, int toY, int steps = 10);
void Key(WORD vk, bool down);
void PressKey(WORD vk); // down and up
void Pump(int ms); // waits while letting this thread's messages through
