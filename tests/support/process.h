// What the end-to-end tests need to act as another program next to Tarvolin: start it, find its
// windows, see which keys it holds, and prepare or read the settings file.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "shell/handles.h"

namespace tarvolin::test {

// Tarvolin.exe, which the build puts beside the test programs.
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

  bool Start(const std::wstring& path = ProgramPath());
  // The top-level window of this process with the given class, once it exists (null on time-out).
  HWND WaitForWindow(const wchar_t* className,
                     std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;
  // Main once start-up has finished: the program is idle and waiting for input.
  HWND WaitForMain();
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

// Whether some program holds the bare function key vk as a system-wide hotkey: our own attempt
// to register it is refused with error 1409.
bool KeyHeldElsewhere(UINT vk);
// The function keys F1..F12 held elsewhere, as a 12-character string: 'x' held, '-' free.
std::string HeldFunctionKeys();

// The settings file in the Windows directory, as bytes.
std::wstring SettingsPath();
void WriteSettingsBytes(const std::string& bytes);
bool SettingsFileExists();
std::string ReadSettingsBytes();
void RemoveSettingsFile();

// Text in the system's ANSI code page, for preparing settings files as another program would.
std::string Ansi(const std::wstring& text);

}  // namespace tarvolin::test
