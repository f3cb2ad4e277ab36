# What a release zip holds, as install() rules, and CPack's ZIP generator to pack them:
# Tarvolin-<version>/ with the program, the guide in Simplified Chinese and the licence.
# scripts/release builds the zips; `cpack` in a build folder does the same for one flavour.

# Marks the zip names of a build from a tree with uncommitted changes (scripts/release sets it).
set(TARVOLIN_RELEASE_MARK "" CACHE STRING "Appended to the version in the zip names, e.g. -modified")

set(_release_folder "Tarvolin-${TARVOLIN_VERSION}")
set(_release_texts ${CMAKE_BINARY_DIR}/release)

# Texts for Notepad on every Windows: CRLF line ends, and the guide as UTF-8 with its byte-order mark.
configure_file(${PROJECT_SOURCE_DIR}/docs/guide.zh-CN.txt "${_release_texts}/使用说明.txt"
               @ONLY NEWLINE_STYLE CRLF)
# The project's licence, then the notice for the font whose glyphs the pictures carry (the part of
# its notes that speaks of rebuilding the glyphs is for developers and stays in the repository).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _licence)
file(READ ${PROJECT_SOURCE_DIR}/layouts/art/FONT-LICENSE.md _font_notice)
string(FIND "${_font_notice}" "## Redoing the subset" _developer_part)
if(_developer_part GREATER 0)
  string(SUBSTRING "${_font_notice}" 0 ${_developer_part} _font_notice)
endif()
string(STRIP "${_font_notice}" _font_notice)
file(CONFIGURE OUTPUT "${_release_texts}/LICENSE.txt"
     CONTENT "${_licence}\n\n${_font_notice}\n" @ONLY NEWLINE_STYLE CRLF)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/layouts/art/FONT-LICENSE.md)

# Fixed permissions, whatever the builder's umask: they are stored in the zip.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS Tarvolin RUNTIME DESTINATION ${_release_folder})
install(FILES "${_release_texts}/使用说明.txt" "${_release_texts}/LICENSE.txt"
        DESTINATION ${_release_folder})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_release_arch x64)
else()
  set(_release_arch x86)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarvolin)
set(CPACK_PACKAGE_VENDOR "the Tarvolin authors")
set(CPACK_PACKAGE_VERSION ${TARVOLIN_VERSION})
set(CPACK_PACKAGE_FILE_NAME "Tarvolin-${TARVOLIN_VERSION}${TARVOLIN_RELEASE_MARK}-${_release_arch}")
# The install rules already name the one folder the zip holds.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES OFF)
include(CPack)
