#include "support/recorder.h"

#include <cstring>
#include <stdexcept>

#include "hotkeys/catalogue.h"

namespace tarvolin::test {

Recorded g_recorded;

namespace {

std::wstring Text(const wchar_t* text) { return text == nullptr ? L"<null>" : text; }
std::wstring Widen(const char* text) { return std::wstring(text, text + std::strlen(text)); }

DWORD RecordShellExecute(HWND owner, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                         const wchar_t* directory, int show) {
  if (g_recorded.shellThrows) throw std::runtime_error("shell broke");
  g_recorded.calls.push_back(L"ShellExecuteW(" + std::wstring(owner ? L"owner" : L"0") + L", " + Text(verb) +
                             L", " + Text(file) + L", " + Text(parameters) + L", " + Text(directory) + L", " +
                             std::to_wstring(show) + L")");
  return file != nullptr && g_recorded.failingShellFile == file ? ERROR_FILE_NOT_FOUND
                                                                : g_recorded.shellAnswer;
}
BOOL RecordStartProcess(const wchar_t* commandLine, WORD show) {
  g_recorded.calls.push_back(L"StartProcess(" + Text(commandLine) + L", " + std::to_wstring(show) + L")");
  return TRUE;
}
BOOL RecordEnableShutdownPrivilege() {
  g_recorded.calls.push_back(L"EnableShutdownPrivilege()");
  return TRUE;
}
BOOL RecordExitWindows(UINT flags, DWORD reserved) {
  g_recorded.calls.push_back(L"ExitWindowsEx(" + std::to_wstring(flags) + L", " + std::to_wstring(reserved) +
                             L")");
  return TRUE;
}
DWORD RecordMciSendString(const char* command, char* buffer, UINT length, HWND callback) {
  g_recorded.calls.push_back(L"mciSendStringA(" + Widen(command) + L", " + (buffer ? L"buffer" : L"<null>") +
                             L", " + std::to_wstring(length) + L", " + (callback ? L"window" : L"0") + L")");
  return 266;  // as Wine answers without a CD driver
}
DWORD RecordRasEnumConnections(DialupRecord* records, DWORD* bufferSize, DWORD* count) {
  // What the caller prepared: sizes, the count, and whether everything else was zero.
  const auto* bytes = reinterpret_cast<const unsigned char*>(records);
  bool zeroFilled = true;
  for (DWORD i = sizeof(DWORD); i < kDialupBufferSize; ++i) zeroFilled = zeroFilled && bytes[i] == 0;
  g_recorded.calls.push_back(L"RasEnumConnectionsA(first size " + std::to_wstring(records[0].size) +
                             L", buffer " + std::to_wstring(*bufferSize) + L", count " +
                             std::to_wstring(*count) + (zeroFilled ? L", zero-filled)" : L", dirty)"));
  const auto& connections = g_recorded.connections;
  for (std::size_t i = 0; i < connections.size(); ++i) {
    records[i].size = kDialupRecordSize;
    records[i].connection = connections[i].connection;
    std::strcpy(records[i].entryName, connections[i].entryName);
  }
  *count = g_recorded.enumCountOverride != 0 ? g_recorded.enumCountOverride
                                             : static_cast<DWORD>(connections.size());
  return g_recorded.enumResult;
}
DWORD RecordRasHangUp(HANDLE connection) {
  g_recorded.calls.push_back(L"RasHangUpA(" + std::to_wstring(reinterpret_cast<UINT_PTR>(connection)) + L")");
  return 0;
}

}  // namespace

const SystemCalls kRecorder = {
    RecordShellExecute, RecordStartProcess,  RecordEnableShutdownPrivilege,
    RecordExitWindows,  RecordMciSendString, RecordRasEnumConnections,
    RecordRasHangUp,
};

RecordingSystem::RecordingSystem() {
  g_recorded = Recorded();
  SetCdDoorOpen(0);
  previous_ = SetSystemCalls(&table);
}

RecordingSystem::~RecordingSystem() { SetSystemCalls(previous_); }

}  // namespace tarvolin::test
