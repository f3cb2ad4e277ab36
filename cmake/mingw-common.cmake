# Shared by both MinGW-w64 toolchain files: set TOOLCHAIN_PREFIX, then include this.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The program itself links against the win32-thread runtime where it is installed: it starts no
# thread of its own, and that runtime spares it winpthread (about 30 KB). The tests and GoogleTest
# keep the posix-thread one (GoogleTest needs std::mutex).
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-gcc-win32 -print-libgcc-file-name
                OUTPUT_VARIABLE _win32_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _win32_result ERROR_QUIET)
if(_win32_result EQUAL 0 AND EXISTS "${_win32_libgcc}")
  get_filename_component(TARVOLIN_PROGRAM_RUNTIME_DIR "${_win32_libgcc}" DIRECTORY)
endif()

# Tests and build-time tools are Windows programs: CTest runs them under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
