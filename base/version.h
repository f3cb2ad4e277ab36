// The program's version, for VERSIONINFO and the About window.
#pragma once

#define TARVOLIN_VERSION_MAJOR 4
#define TARVOLIN_VERSION_MINOR 1
#define TARVOLIN_VERSION_TEXT "4.01"
#define TARVOLIN_VERSION_WTEXT L"4.01"
