// What the end-to-end tests need to act as another program next to Tarvolin: start it, find its
// windows, see which keys it holds, and prepare or read the settings file.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "base/handles.h"

namespace tarvolin::test {

// Tarvolin.exe, which the build puts beside the test programs (or the one TARVOLIN_EXE names).
std::wstring ProgramPath();

// Waits until condition() holds or the time is up; returns its last value.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

// A running Tarvolin.exe. The destructor closes it (or ends it, if it will not close).
class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // A program's arguments follow its quoted path on the command line.
  bool Start(const std::wstring& path = ProgramPath(), const std::wstring& arguments = std::wstring());
  // The top-level window of this process with the given class, once it exists (null on time-out).
  HWND WaitForWindow(const wchar_t* className,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;
  // Main once start-up is over. Start-up shows Main last, after taking its keys; null when Main
  // is not shown. With shown false (AutoHide), there is nothing to see at its end: Main is only
  // found once the program waits for input, which it may also do for a moment while its tray
  // icon is added, before it takes its keys.
  HWND WaitForMain(bool shown = true);
  bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;
  bool Running() const;
  DWORD id() const { return id_; }
  HANDLE process() const { return process_.get(); }
  // Asks Main to close, as the system does at log-off, and waits for the process to end.
  bool CloseMain();

 private:
  KernelHandle process_;
  DWORD id_ = 0;
};

// The top-level window of process pid with this class, or null.
HWND FindProcessWindow(DWORD pid, const wchar_t* className);
// Whether the window has its icon in the notification area: the shell accepts a change to it.
bool TrayIconPresent(HWND owner);
// Whether a window of any process and its child windows have painted all that was asked of them.
bool Painted(HWND window);

// Waits for a condition on held keys. Looking at a key takes it for a moment, so a look while the
// program registers that key would take it from the program: the program gets time to act before
// each look, and the wait outlasts the program's retry of a key it could not take (5 seconds).
bool WaitForKeys(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(12000));

// Whether some program holds the bare function key vk as a system-wide hotkey: our own attempt
// to register it is refused with error 1409.
bool KeyHeldElsewhere(UINT vk);
// The function keys F1..F12 held elsewhere, as a 12-character string: 'x' held, '-' free.
std::string HeldFunctionKeys();

// Makes the folders of path and an empty file at its end; false when the file system refuses.
bool MakeFile(const std::wstring& path);
// A path of exactly length characters under folder, through folders of 40 characters, ending in
// ending.
std::wstring PathOfLength(const std::wstring& folder, size_t length, const std::wstring& ending = L".txt");

// The settings file in the Windows directory, as bytes.
std::wstring SettingsPath();
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::string ReadFileBytes(const std::wstring& path);
void WriteSettingsBytes(const std::string& bytes);
// An [Enabled] section switching on the keys marked 'x' in a 12-character string.
std::string EnabledSection(const std::string& switches);
bool SettingsFileExists();
std::string ReadSettingsBytes();
// Removes it, and the user's own copy where there is one.
void RemoveSettingsFile();

// The scale of the screen for every program started from now on, as the user's display settings
// set it: Wine reads LogPixels (HKCU\Control Panel\Desktop) when a program starts. Put back as it
// was when this goes. Tests that use it run alone (RUN_SERIAL in tests/CMakeLists.txt): every
// other program started meanwhile would see the scale too.
class ScreenScale {
 public:
  explicit ScreenScale(int dpi);
  ~ScreenScale();
  ScreenScale(const ScreenScale&) = delete;
  ScreenScale& operator=(const ScreenScale&) = delete;

 private:
  DWORD previous_ = 0;
  bool hadValue_ = false;
};

// Text in the system's ANSI code page, for preparing settings files as another program would.
std::string Ansi(const std::wstring& text);
// Text in UTF-8, as the probe notes its folder and command line.
std::string Utf8(const std::wstring& text);

}  // namespace tarvolin::test

namespace tarvolin::test {

// A helper program built beside the tests (probe.exe, startup_floor.exe, ...).
std::wstring BesideTests(const wchar_t* name);
// The middle value (0 for none).
double Median(std::vector<double> values);

// The probe program built beside the tests, and what it noted: one entry per start.
std::wstring ProbePath();
struct ProbeStart {
  long long ticks;          // performance counter at its start
  std::string commandLine;  // UTF-8
  std::string folder;       // its current folder, UTF-8
};
// From the log beside the tests, or beside the copies of the probe in another folder.
std::vector<ProbeStart> ProbeStarts(const std::wstring& folder = std::wstring());
void ClearProbeStarts();

// Real mouse and keyboard input, as a user's hand gives it; positions in screen pixels.
void MoveMouse(int x, int y);
void MouseButton(int x, int y, int button, bool down);
void ClickAt(int x, int y, int button = 1);
void PressKey(WORD vk, WORD modifier = 0);
// One key going down or up alone: a key held down repeats its key-down.
void KeyEvent(WORD vk, bool down);
// Under Wine the keys' state is set to the X server's whenever one of its windows gets the X focus
// or the pointer, which lifts every key sent and still down: the X server never saw them. While
// one of these lives, F24 is held down, and Lifted() tells whether that happened meanwhile.
class LiftWatch {
 public:
  LiftWatch() { KeyEvent(VK_F24, true); }
  ~LiftWatch() { KeyEvent(VK_F24, false); }
  LiftWatch(const LiftWatch&) = delete;
  LiftWatch& operator=(const LiftWatch&) = delete;
  bool Lifted() const { return (GetAsyncKeyState(VK_F24) & 0x8000) == 0; }
};
// A drag with a mouse button from a screen point by (dx, dy), in a few moves.
void Drag(POINT from, int dx, int dy, int button);
// A point of a window's client area, from the layout's pixel position.
POINT ClientToScreenPoint(HWND window, int x, int y);

}  // namespace tarvolin::test

#include "layouts/layout.h"

namespace tarvolin::test {

// The screen point at the middle of a control of a window built from layout, at the scale the
// window is drawn for (for a face button, the middle of the part that takes the mouse).
POINT ControlCentre(HWND window, const FormSpec& layout, const char* name, int index = -1);
// A control of a layout by name and index (null if none), and its rectangle in client pixels at dpi.
const ControlSpec* FindLayoutControl(const FormSpec& layout, const char* name, int index = -1);
RECT LayoutRect(const ControlSpec& control, int dpi);
// The scale a window of any process built from layout is drawn for, told by its client width.
int LayoutDpiOf(HWND window, const FormSpec& layout);
// A child window's rectangle in its parent's client pixels.
RECT ClientRectOf(HWND child);
// A point of the window in its own client pixels, on the screen.
POINT WindowPoint(HWND window, int x, int y);

// A drop of files as the shell hands it to a window: the point in that window's client pixels, wide
// names. The window that receives it lets it go.
HDROP MakeDrop(POINT client, const std::vector<std::wstring>& files);
// Sends such a drop to window, at a client point or at the middle of one of its layout's controls.
void DropFiles(HWND window, POINT client, const std::vector<std::wstring>& files);
void DropOnControl(HWND window, const FormSpec& layout, const char* name, int index,
                   const std::vector<std::wstring>& files);

}  // namespace tarvolin::test

// Rectangles and sizes compared and printed in the tests' expectations. RECT and SIZE are the
// system's, in the global namespace, where the comparisons have to be for the tests to find them.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline std::ostream& operator<<(std::ostream& out, const SIZE& s) { return out << s.cx << " x " << s.cy; }
