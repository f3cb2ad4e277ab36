# Run after the program's link: cmake -DMAP=<link map> -DEXE=<program> -P check-link-map.cmake
# Stops the build when the linker took an object of GCC's standard library that the program
# replaces with its own lighter copy (the throw helpers, std::wstring), or took any object to get a
# throw helper. The map's first part names every archive member linked and the symbol it was taken
# for.
file(READ "${MAP}" _map)
string(FIND "${_map}" "\nDiscarded input sections" _end)
if(_end LESS 0)
  # The headings are in the linker's language: CMakeLists.txt runs the link in the C locale.
  message(FATAL_ERROR "${MAP} is not a GNU ld link map in English")
endif()
string(SUBSTRING "${_map}" 0 ${_end} _members)
# "<archive>(<member>)", then on the next line "<taker> (<symbol>)".
string(REGEX MATCHALL "libstdc\\+\\+\\.a\\([^)\n]*\\)\n[^\n]*" _taken "${_members}")
set(_unwanted "")
foreach(_entry IN LISTS _taken)
  if(_entry MATCHES "^libstdc\\+\\+\\.a\\((functexcept|wstring-inst)\\.o\\)" OR _entry MATCHES "\\(std::__throw_")
    string(REGEX REPLACE "\n *" " for " _entry "${_entry}")
    string(APPEND _unwanted "\n  ${_entry}")
  endif()
endforeach()
if(_unwanted)
  # Without the program a second build links again instead of passing unchecked.
  file(REMOVE "${EXE}")
  message(FATAL_ERROR "The program links pieces of the standard library it has its own copies of "
                      "(they weigh 30 to 90 KB with what they pull in):${_unwanted}\n"
                      "Define what is missing in shell/throw_helpers.cpp or shell/wide_string.cpp.")
endif()
