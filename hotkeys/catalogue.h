// The command catalogue: the nine built-in commands a function key can run, known by their
// Chinese display names, and the fall-back that hands any other text to the shell.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace tarvolin {

enum class BuiltinCommand {
  MyComputer,
  RecycleBin,
  Explorer,
  ControlPanel,
  ShutDown,
  Restart,
  MsDos,
  CdDoor,
  HangUp,
};

inline constexpr std::size_t kBuiltinCommandCount = 9;

// The display names in catalogue order, indexed by BuiltinCommand. They are what the settings
// file stores and what a key's text is compared with, so every code unit matters (the comma in
// the CD-tray name is U+3001).
inline constexpr std::array<const wchar_t*, kBuiltinCommandCount> kBuiltinCommandNames = {
    L"我的电脑",        // My Computer
    L"回收站",          // Recycle Bin
    L"资源管理器",      // Explorer
    L"控制面板",        // Control Panel
    L"关闭计算机",      // shut down
    L"重新启动计算机",  // restart
    L"MS-DOS",          // command prompt
    L"打开、关闭光驱",  // open or close the CD tray
    L"一键下网",        // hang up every dial-up line
};

// The same names in the order the hotkey editor lists them.
inline constexpr std::array<const wchar_t*, kBuiltinCommandCount> kEditorCommandNames = {
    L"资源管理器",     L"我的电脑", L"回收站",         L"控制面板", L"关闭计算机",
    L"重新启动计算机", L"MS-DOS",   L"打开、关闭光驱", L"一键下网",
};

const wchar_t* DisplayName(BuiltinCommand command);

// The built-in whose display name is exactly name (case-sensitive, untrimmed), if any.
std::optional<BuiltinCommand> FindBuiltinCommand(const std::wstring& name);

// True (-1) when the last CD-tray command sent was "open", false (0) otherwise: only what we
// sent, not the drive's state. False at start and shared by every key.
short CdDoorOpen();
void SetCdDoorOpen(short value);

// Runs one built-in: opens its target, sends its request to the system, or flips the CD tray.
void RunBuiltinCommand(BuiltinCommand command);

// How a binding that is not a built-in reaches the shell: one request, a file, its parameters and
// the folder it starts in (empty: the shell's choice).
struct ShellRequest {
  std::wstring file;
  std::wstring parameters;
  std::wstring directory;
};
// The binding as people type it. An existing file or folder goes whole, as it stands or with its
// %NAME% variables expanded; otherwise a leading quoted file, or the text up to the first ".exe",
// ".com", ".bat" or ".cmd" followed by a blank when that program exists (or, named without a
// folder, is found where the system looks for programs), takes the rest as its parameters;
// anything else goes whole, expanded. A program or document starts in its own folder, a program
// found by search in the user's profile folder; folders, shortcuts and what is not a file path
// get no working folder.
ShellRequest ResolveBinding(const std::wstring& binding);
// Hands the binding to the shell as ResolveBinding says: 0 when the shell opened it, else the
// system's error code.
unsigned long OpenBinding(const std::wstring& binding);

// Runs what a key bound to name does: a built-in display name runs only that built-in, any other
// non-empty text goes to the shell (OpenBinding), an empty one runs nothing. Returns the shell's
// refusal of a binding (0 for a built-in, an empty name or an opened binding). Called from a
// window procedure, so nothing is thrown out of it.
unsigned long RunCommandName(const std::wstring& name) noexcept;

}  // namespace tarvolin
