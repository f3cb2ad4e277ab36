#include "hotkeys/catalogue.h"

#include <windows.h>

#include <cwctype>
#include <memory>
#include <new>

#include "hotkeys/system_calls.h"

namespace tarvolin {

namespace {

short g_cdDoorOpen = 0;

// Every built-in and the fall-back share this request: no owner, shown normally; the built-ins
// give no working folder. Returns 0 when the shell opened it, else the system's error code.
DWORD Shell(const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
            const wchar_t* directory = L"") {
  const SystemCalls& calls = CurrentSystemCalls();
  if (calls.shellExecute == nullptr) return ERROR_PROC_NOT_FOUND;
  return calls.shellExecute(nullptr, verb, file, parameters, directory, SW_SHOWNORMAL);
}

void ExitWindowsWith(UINT flags) {
  const SystemCalls& calls = CurrentSystemCalls();
  // Current Windows refuses to shut down without the privilege; asking for it is harmless
  // where it is not needed. If it cannot be had, the request still goes out.
  if (calls.enableShutdownPrivilege != nullptr) calls.enableShutdownPrivilege();
  if (calls.exitWindows != nullptr) calls.exitWindows(flags, 0);
}

void SendCdCommand(const char* command) {
  const SystemCalls& calls = CurrentSystemCalls();
  if (calls.mciSendString == nullptr) return;
  char answer[128] = {};  // read by nobody; MCI wants somewhere to put it
  calls.mciSendString(command, answer, 127, nullptr);
}

std::wstring EnvironmentValue(const wchar_t* name) {
  const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return std::wstring();
  std::wstring value(needed, L'\0');
  const DWORD length = GetEnvironmentVariableW(name, &value[0], needed);
  value.resize(length < needed ? length : 0);
  return value;
}

}  // namespace

short CdDoorOpen() { return g_cdDoorOpen; }
void SetCdDoorOpen(short value) { g_cdDoorOpen = value; }

const wchar_t* DisplayName(BuiltinCommand command) {
  return kBuiltinCommandNames[static_cast<std::size_t>(command)];
}

std::optional<BuiltinCommand> FindBuiltinCommand(const std::wstring& name) {
  for (std::size_t i = 0; i < kBuiltinCommandCount; ++i) {
    if (name == kBuiltinCommandNames[i]) return static_cast<BuiltinCommand>(i);
  }
  return std::nullopt;
}

namespace {

// The built-ins, reached only through RunBuiltinCommand.
void OpenMyComputer() { Shell(L"Open", L"explorer.exe", L"/root,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"); }

void OpenRecycleBin() { Shell(L"Open", L"Explorer.exe", L"/root,::{645FF040-5081-101B-9F08-00AA002F954E}"); }

void OpenExplorer() { Shell(nullptr, L"Explorer.exe", L""); }

void OpenControlPanel() {
  const SystemCalls& calls = CurrentSystemCalls();
  // A control panel that cannot be started is not reported.
  if (calls.startProcess != nullptr)
    calls.startProcess(L"rundll32.exe shell32.dll,Control_RunDLL", SW_SHOWNORMAL);
}

void ShutDownComputer() { ExitWindowsWith(EWX_SHUTDOWN); }

void RestartComputer() { ExitWindowsWith(EWX_REBOOT); }

void OpenDosPrompt() {
  // 64-bit Windows has no COMMAND.COM; there the interpreter the system names takes its place.
  if (Shell(nullptr, L"COMMAND.COM", L"") == ERROR_SUCCESS) return;
  const std::wstring interpreter = EnvironmentValue(L"ComSpec");
  if (!interpreter.empty()) Shell(nullptr, interpreter.c_str(), L"");
}

void OpenCdDoor() { SendCdCommand("set CDAudio door open"); }

void CloseCdDoor() { SendCdCommand("set CDAudio door closed"); }

void ToggleCdDoor() {
  // The flag follows what we send, whether or not a drive obeys.
  if (g_cdDoorOpen == 0) {
    g_cdDoorOpen = -1;
    OpenCdDoor();
  } else {
    g_cdDoorOpen = 0;
    CloseCdDoor();
  }
}

void HangUpDialup() {
  const SystemCalls& calls = CurrentSystemCalls();
  if (calls.rasEnumConnections == nullptr) return;
  // 105 KB is too much for the stack of a window procedure; the () zero-fills.
  std::unique_ptr<DialupRecord[]> records(new (std::nothrow) DialupRecord[kDialupRecordCount]());
  if (!records) return;
  records[0].size = kDialupRecordSize;
  DWORD bufferSize = kDialupBufferSize;
  DWORD count = 0;
  if (calls.rasEnumConnections(records.get(), &bufferSize, &count) != 0) return;
  if (count > kDialupRecordCount) count = kDialupRecordCount;  // never read past our records
  if (calls.rasHangUp == nullptr) return;
  // Hang-ups are asked for and left to finish on their own; results are not examined.
  for (DWORD i = 0; i < count; ++i) {
    if (records[i].entryName[0] != '\0') calls.rasHangUp(records[i].connection);
  }
}

bool Exists(const std::wstring& path) {
  return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Expanded(const std::wstring& text) {
  const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (size == 0) return text;
  std::wstring out(size, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(text.c_str(), &out[0], size);
  if (written == 0 || written > size) return text;
  out.resize(written - 1);
  return out;
}

std::wstring WithoutLeadingBlanks(const std::wstring& text) {
  const size_t first = text.find_first_not_of(L' ');
  return first == std::wstring::npos ? std::wstring() : text.substr(first);
}

bool Bare(const std::wstring& name) { return name.find_first_of(L"\\/:") == std::wstring::npos; }

// A program named without any folder, found where the system looks for programs.
bool FoundBySearch(const std::wstring& name) {
  if (name.empty() || !Bare(name)) return false;
  wchar_t found[MAX_PATH] = {};
  return SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH, found, nullptr) != 0;
}

bool EndsWith(const std::wstring& text, const wchar_t* ending) {
  const size_t length = static_cast<size_t>(lstrlenW(ending));
  return text.size() >= length && _wcsicmp(text.c_str() + text.size() - length, ending) == 0;
}

// Where a file that a binding resolved to starts, as a double-click in Explorer would start it: in
// its own folder. A program found by search starts in the user's profile folder, as from the Run
// box, never in the system folder. Folders, shortcuts (they carry their own "Start in") and
// anything that is not a file get no working folder, as the built-ins.
std::wstring StartFolder(const std::wstring& file) {
  if (EndsWith(file, L".lnk") || EndsWith(file, L".pif") || EndsWith(file, L".url")) return L"";
  if (Bare(file)) return FoundBySearch(file) ? EnvironmentValue(L"USERPROFILE") : L"";
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return L"";
  wchar_t full[MAX_PATH] = {};
  wchar_t* name = nullptr;
  const DWORD length = GetFullPathNameW(file.c_str(), MAX_PATH, full, &name);
  if (length == 0 || length >= MAX_PATH || name == nullptr || name == full) return L"";
  // "C:\" keeps its backslash; "C:\Games\" loses it.
  const bool root = name - full == 3 && full[1] == L':';
  return std::wstring(full, static_cast<size_t>(name - full) - (root ? 0 : 1));
}

// Where the first ".exe", ".com", ".bat" or ".cmd" followed by a blank ends, or npos.
size_t EndOfFirstProgramName(const std::wstring& text) {
  for (size_t at = text.find(L'.'); at != std::wstring::npos; at = text.find(L'.', at + 1)) {
    if (at + 4 >= text.size() || text[at + 4] != L' ') continue;
    std::wstring extension = text.substr(at + 1, 3);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(towlower(c));
    if (extension == L"exe" || extension == L"com" || extension == L"bat" || extension == L"cmd")
      return at + 4;
  }
  return std::wstring::npos;
}
}  // namespace

ShellRequest ResolveBinding(const std::wstring& binding) {
  // What worked before works as before: an existing file or folder goes over whole.
  if (Exists(binding)) return {binding, L"", StartFolder(binding)};
  const std::wstring expanded = Expanded(binding);
  if (expanded != binding && Exists(expanded)) return {expanded, L"", StartFolder(expanded)};
  if (!expanded.empty() && expanded[0] == L'"') {
    const size_t close = expanded.find(L'"', 1);
    if (close != std::wstring::npos) {
      const std::wstring file = expanded.substr(1, close - 1);
      return {file, WithoutLeadingBlanks(expanded.substr(close + 1)), StartFolder(file)};
    }
  } else {
    // Only the first program name: a shorter cut of "C:\Program Files\..." is how a planted
    // "C:\Program.exe" would run.
    const size_t end = EndOfFirstProgramName(expanded);
    if (end != std::wstring::npos) {
      const std::wstring file = expanded.substr(0, end);
      if (Exists(file) || FoundBySearch(file))
        return {file, WithoutLeadingBlanks(expanded.substr(end)), StartFolder(file)};
    }
  }
  return {expanded, L"", StartFolder(expanded)};
}

DWORD OpenBinding(const std::wstring& binding) {
  const ShellRequest request = ResolveBinding(binding);
  return Shell(nullptr, request.file.c_str(), request.parameters.c_str(), request.directory.c_str());
}

void RunBuiltinCommand(BuiltinCommand command) {
  switch (command) {
    case BuiltinCommand::MyComputer:
      OpenMyComputer();
      break;
    case BuiltinCommand::RecycleBin:
      OpenRecycleBin();
      break;
    case BuiltinCommand::Explorer:
      OpenExplorer();
      break;
    case BuiltinCommand::ControlPanel:
      OpenControlPanel();
      break;
    case BuiltinCommand::ShutDown:
      ShutDownComputer();
      break;
    case BuiltinCommand::Restart:
      RestartComputer();
      break;
    case BuiltinCommand::MsDos:
      OpenDosPrompt();
      break;
    case BuiltinCommand::CdDoor:
      ToggleCdDoor();
      break;
    case BuiltinCommand::HangUp:
      HangUpDialup();
      break;
  }
}

DWORD RunCommandName(const std::wstring& name) noexcept {
  try {
    if (const auto builtin = FindBuiltinCommand(name)) {
      // Only the built-in: handing its name to the shell as well would run any file
      // called like it that the shell's search happens to find.
      RunBuiltinCommand(*builtin);
    } else if (!name.empty()) {
      return OpenBinding(name);
    }
  } catch (...) {
    // A command that broke is not reported; the key stays usable for the next press.
  }
  return ERROR_SUCCESS;
}

}  // namespace tarvolin
