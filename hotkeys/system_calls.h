// The one seam between the command catalogue and the system: every system entry point the
// catalogue uses sits in one table. The program runs on the real table; tests swap in a recorder
// so they never shut the machine down or hang up a line.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tarvolin {

// One dial-up connection as RasEnumConnectionsA lists it: 412 bytes in the 32-bit program, 424 in
// the 64-bit one (there the handle is 8 bytes wide and aligned to 8). The SDK's record grows with
// WINVER, so we keep our own copy of the layout the program asks for.
struct DialupRecord {
  DWORD size;           // set to the record's size in the first record before listing
  HANDLE connection;    // what RasHangUpA takes
  char entryName[257];  // empty for a connection without a phone-book entry
  char deviceType[17];
  char deviceName[129];
  char padding;
};

#ifdef _WIN64
inline constexpr DWORD kDialupRecordSize = 424;
inline constexpr size_t kDialupHandleOffset = 8;
#else
inline constexpr DWORD kDialupRecordSize = 412;
inline constexpr size_t kDialupHandleOffset = 4;
#endif
inline constexpr DWORD kDialupRecordCount = 256;
inline constexpr DWORD kDialupBufferSize = kDialupRecordSize * kDialupRecordCount;  // 105472 or 108544

static_assert(sizeof(DialupRecord) == kDialupRecordSize, "dial-up record: the system's size");
static_assert(offsetof(DialupRecord, connection) == kDialupHandleOffset, "dial-up record: handle");
static_assert(offsetof(DialupRecord, entryName) == 2 * kDialupHandleOffset, "dial-up record: entry name");
static_assert(offsetof(DialupRecord, deviceType) == 2 * kDialupHandleOffset + 257,
              "dial-up record: device type");
static_assert(offsetof(DialupRecord, deviceName) == 2 * kDialupHandleOffset + 274,
              "dial-up record: device name");

// The entries mirror the system functions' parameters, in plain calling convention so a test can
// fill the table with captureless lambdas. A null entry means "not available": the catalogue then
// skips the call, exactly as when a system library is missing.
struct SystemCalls {
  // ShellExecuteExW with the shell's own error windows turned off; returns 0 when the shell
  // opened the file, else the system's error code (ERROR_CANCELLED when the user refused the
  // elevation prompt).
  using ShellExecuteFunction = DWORD (*)(HWND owner, const wchar_t* verb, const wchar_t* file,
                                         const wchar_t* parameters, const wchar_t* directory, int showState);
  ShellExecuteFunction shellExecute;
  // Starts a command line as a new process whose first window gets showState.
  BOOL (*startProcess)(const wchar_t* commandLine, WORD showState);
  // Enables SE_SHUTDOWN_NAME on this process's token.
  BOOL (*enableShutdownPrivilege)();
  BOOL (*exitWindows)(UINT flags, DWORD reserved);
  // mciSendStringA of winmm.dll.
  DWORD (*mciSendString)(const char* command, char* returnBuffer, UINT returnLength, HWND callback);
  // RasEnumConnectionsA and RasHangUpA of rasapi32.dll.
  DWORD (*rasEnumConnections)(DialupRecord* records, DWORD* bufferSize, DWORD* count);
  DWORD (*rasHangUp)(HANDLE connection);
};

// The table the catalogue calls now.
const SystemCalls& CurrentSystemCalls();

// Makes calls the current table and returns the previous one; null puts the real table back.
const SystemCalls* SetSystemCalls(const SystemCalls* calls);

// The table bound to the system. winmm.dll and rasapi32.dll are loaded at the first call into
// them; when a library or function is missing the entry does nothing and returns
// ERROR_PROC_NOT_FOUND.
const SystemCalls& RealSystemCalls();

}  // namespace tarvolin
