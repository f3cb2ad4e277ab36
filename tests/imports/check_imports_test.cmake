# cmake -DCHECK=<check-imports.cmake> -DKNOWN=<program with known imports only>
#       -DUNKNOWN=<program that also imports uxtheme and winmm> -P check_imports_test.cmake
# The import check passes the program whose imports are all known libraries, and refuses the
# other one, naming each library that is not known and none of those that are.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${CMAKE_COMMAND} -DEXE=${KNOWN} -P ${CHECK} RESULT_VARIABLE _status ERROR_VARIABLE _out)
if(NOT _status EQUAL 0)
  message(FATAL_ERROR "a program with known imports only was refused: ${_out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DEXE=${UNKNOWN} -P ${CHECK} RESULT_VARIABLE _status ERROR_VARIABLE _out)
if(_status EQUAL 0)
  message(FATAL_ERROR "a program importing uxtheme.dll and winmm.dll passed")
endif()
string(TOLOWER "${_out}" _out)
foreach(_name uxtheme.dll winmm.dll)
  if(NOT _out MATCHES "\n +${_name}\n")
    message(FATAL_ERROR "${_name} is not named among the refused imports: ${_out}")
  endif()
endforeach()
if(_out MATCHES "\n +(kernel32|user32|msvcrt)\\.dll\n")
  message(FATAL_ERROR "a known library is named among the refused imports: ${_out}")
endif()
