#pragma once
// A small driver for UI tests under Wine: makes throwaway program directories, starts the
// program, finds its windows and message boxes, reads them, clicks and answers.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/testing/win32/MessagePump.h"

namespace velmora::uitest {

std::wstring W(const std::string& utf8);
std::string U(const std::wstring& wide);

// Twips at the screen's DPI, rounded as the program rounds them.
int ScreenPixels(int twips, bool horizontal = true);

// The assembled program directory of this build (from VELMORA_DIST, a Unix path).
std::wstring DistDirectory();

// A copy of the program directory in a fresh temporary folder, removed again at the end. The
// library is left out, as in a freshly installed program.
class ProgramDir {
public:
    ProgramDir();
    ~ProgramDir();
    ProgramDir(const ProgramDir&) = delete;
    ProgramDir& operator=(const ProgramDir&) = delete;
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }
    // Makes the folders on the way when they are missing.
    void WriteFile(const std::wstring& relative, const std::string& bytes) const;
    void Remove(const std::wstring& relative) const;
    void RemoveFolder(const std::wstring& relative) const;

private:
    std::wstring path_;
};

// For windows run inside the test process: the program directory is a ProgramDir, the other
// variables the real ones.
class ProgramEnvironment : public Environment {
public:
    explicit ProgramEnvironment(const ProgramDir& dir);
    std::optional<std::string> Variable(const std::string& name) override;
    std::string ProgramDirectory() override { return dir_; }
    std::string ExecutableBaseName() override { return "Velmora"; }

private:
    std::string dir_;
};

// The real platform with a test's program directory and message boxes in place of the real ones.
Platform TestPlatformOf(Environment& environment, Dialogs& dialogs);

class Process {
public:
    explicit Process(const std::wstring& exe, const std::wstring& args = L"");
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    bool started() const { return info_.hProcess != nullptr; }
    DWORD pid() const { return info_.dwProcessId; }
    bool WaitExit(DWORD ms, DWORD* exitCode = nullptr);
    bool Running();
    // Until the program waits for input with nothing to do.
    void WaitIdle(DWORD ms) { WaitForInputIdle(info_.hProcess, ms); }
    void Kill();

private:
    PROCESS_INFORMATION info_ = {};
};

// What a folder holds, without "." and "..": names and whether each is a folder.
struct FolderEntry {
    std::wstring name;
    bool folder;
};
std::vector<FolderEntry> Entries(const std::wstring& dir);

// A visible top-level window of the process with that class and caption.
HWND WaitWindow(DWORD pid, const wchar_t* cls, const std::wstring& caption, DWORD timeoutMs);
HWND FindChild(HWND parent, const wchar_t* cls, const std::wstring& text);
std::wstring Text(HWND window);

struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring title, text;
    std::vector<std::wstring> buttons;
};
// The next message box of the process, or an empty result after the timeout.
MessageBoxSeen WaitMessageBox(DWORD pid, DWORD timeoutMs);
void Answer(const MessageBoxSeen& box, int buttonId);
// True when the process shows no message box for the whole time.
bool NoMessageBox(DWORD pid, DWORD ms);

// Asks the program's main window what it was asked to do (see kMainQueryMessage).
std::string QueryText(HWND main, int item);
LRESULT QueryNumber(HWND main, int item);
// The same through another window's query message (a registered message name).
std::string QueryText(HWND window, const wchar_t* message, WPARAM item);
LRESULT QueryNumber(HWND window, const wchar_t* message, WPARAM item);

// Sets the Windows version Wine reports to one program ("winxp", "win7"), from its next start.
void SetWineVersionFor(const std::wstring& exeName, const std::wstring& version);

// Real mouse input: the cursor to a point of the screen, with a mouse-move message there.
void MoveMouse(int screenX, int screenY);
// Real mouse input at the centre of a window (the cursor moves there).
void HoverOver(HWND window);
void ClickLeft(HWND window);
// A real left click at a point of the screen.
void ClickAt(int x, int y);
// A real key press and release, to the window with the keyboard focus.
void PressKey(WORD virtualKey);
using velmora::testing::PumpFor;

}  // namespace velmora::uitest
