# Run after the program's link: cmake -DEXE=<program> [-DDELETE_ON_FAILURE=ON] -P check-imports.cmake
# Stops the build when the program's import table names a library that is not one of the system's
# known libraries. The imports are loaded before the program's first instruction, so nothing the
# program does can keep them to the system folder: the system takes a known library from there
# whatever the name, any other from the program's own folder first (where a planted copy would
# wait). A new entry here must be a known library on every Windows the program runs on.
cmake_minimum_required(VERSION 3.25)
set(_known advapi32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll)

# The file is read as bytes, not through a tool whose words depend on the user's language.
# _u(<offset> <bytes> <out>): the little-endian number at offset (an expression).
function(_u offset size out)
  math(EXPR offset "${offset}")
  file(READ "${EXE}" _hex OFFSET ${offset} LIMIT ${size} HEX)
  string(LENGTH "${_hex}" _length)
  math(EXPR _last "${size} * 2 - 2")
  math(EXPR _wanted "${size} * 2")
  if(NOT _length EQUAL _wanted)
    message(FATAL_ERROR "${EXE} ends before byte ${offset} + ${size}: not a Windows program")
  endif()
  set(_value "")
  foreach(_at RANGE 0 ${_last} 2)
    string(SUBSTRING "${_hex}" ${_at} 2 _byte)
    string(PREPEND _value "${_byte}")
  endforeach()
  math(EXPR _value "0x${_value}")
  set(${out} ${_value} PARENT_SCOPE)
endfunction()

_u(60 4 _pe)
_u(${_pe} 4 _signature)
if(NOT _signature EQUAL 17744)  # "PE\0\0"
  message(FATAL_ERROR "${EXE} is not a Windows program")
endif()
_u(${_pe}+6 2 _sections)
_u(${_pe}+20 2 _optional_size)
math(EXPR _optional "${_pe} + 24")
_u(${_optional} 2 _magic)
if(_magic EQUAL 267)  # 0x10b, 32-bit
  math(EXPR _directories "${_optional} + 96")
elseif(_magic EQUAL 523)  # 0x20b, 64-bit
  math(EXPR _directories "${_optional} + 112")
else()
  message(FATAL_ERROR "${EXE} has an optional header of unknown kind ${_magic}")
endif()
# The second data directory is the import table.
_u(${_directories}+8 4 _imports_rva)

# _offset(<rva> <out>): where the section that holds rva keeps it in the file.
function(_offset rva out)
  math(EXPR _table "${_optional} + ${_optional_size}")
  foreach(_n RANGE 1 ${_sections})
    _u(${_table}+8 4 _virtual_size)
    _u(${_table}+12 4 _address)
    _u(${_table}+16 4 _raw_size)
    _u(${_table}+20 4 _raw_offset)
    if(_raw_size GREATER _virtual_size)
      set(_virtual_size ${_raw_size})
    endif()
    math(EXPR _end "${_address} + ${_virtual_size}")
    if(rva GREATER_EQUAL _address AND rva LESS _end)
      math(EXPR _found "${rva} - ${_address} + ${_raw_offset}")
      set(${out} ${_found} PARENT_SCOPE)
      return()
    endif()
    math(EXPR _table "${_table} + 40")
  endforeach()
  message(FATAL_ERROR "${EXE}: address ${rva} lies in no section")
endfunction()

set(_unknown "")
if(_imports_rva GREATER 0)
  _offset(${_imports_rva} _descriptor)
  # One 20-byte descriptor per library, the library's name at byte 12; a zero name ends the table.
  while(TRUE)
    _u(${_descriptor}+12 4 _name_rva)
    if(_name_rva EQUAL 0)
      break()
    endif()
    _offset(${_name_rva} _name_offset)
    file(READ "${EXE}" _hex OFFSET ${_name_offset} LIMIT 256 HEX)
    set(_name "")
    string(LENGTH "${_hex}" _length)
    math(EXPR _last "${_length} - 2")
    foreach(_at RANGE 0 ${_last} 2)
      string(SUBSTRING "${_hex}" ${_at} 2 _byte)
      if(_byte STREQUAL "00")
        break()
      endif()
      math(EXPR _code "0x${_byte}")
      string(ASCII ${_code} _char)
      string(APPEND _name "${_char}")
    endforeach()
    string(TOLOWER "${_name}" _name)
    if(NOT _name IN_LIST _known)
      string(APPEND _unknown "\n  ${_name}")
    endif()
    math(EXPR _descriptor "${_descriptor} + 20")
  endwhile()
endif()

if(_unknown)
  if(DELETE_ON_FAILURE)
    # Without the program a second build links again instead of passing unchecked.
    file(REMOVE "${EXE}")
  endif()
  string(REPLACE ";" ", " _allowed "${_known}")
  message(FATAL_ERROR "${EXE} imports libraries that are not among the system's known ones, so they "
                      "would be looked for beside the program first:${_unknown}\n"
                      "Load such a library with FindSystemFunction (base/system_library.h) when it "
                      "is first wanted; imports may only name ${_allowed}.")
endif()
