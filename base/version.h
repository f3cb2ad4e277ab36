// The program's version, written here and nowhere else: VERSIONINFO, the About window and the
// release's zip names (CMakeLists.txt reads the two numbers below) all take it from this file.
#pragma once

#define TARVOLIN_VERSION_MAJOR 4
#define TARVOLIN_VERSION_MINOR 1

// The text shows the minor number with two digits ("4.01"). Built by the preprocessor alone, so
// that the resource compiler can use it too.
#define TARVOLIN_VERSION_QUOTE_(text) #text
#define TARVOLIN_VERSION_QUOTE(text) TARVOLIN_VERSION_QUOTE_(text)
// No blank may come between the parts, or the text would hold it.
// clang-format off
#if TARVOLIN_VERSION_MINOR < 10
#define TARVOLIN_VERSION_JOIN_(major, minor) major.0##minor
#else
#define TARVOLIN_VERSION_JOIN_(major, minor) major.minor
#endif
// clang-format on
#define TARVOLIN_VERSION_JOIN(major, minor) TARVOLIN_VERSION_JOIN_(major, minor)
#define TARVOLIN_VERSION_TEXT \
  TARVOLIN_VERSION_QUOTE(TARVOLIN_VERSION_JOIN(TARVOLIN_VERSION_MAJOR, TARVOLIN_VERSION_MINOR))
#define TARVOLIN_VERSION_WTEXT L"" TARVOLIN_VERSION_TEXT
