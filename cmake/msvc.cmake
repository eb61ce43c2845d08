# Visual Studio 2022, x64 (the msvc preset): the .asi and the checker, with the
# static runtime (/MT), so that no Visual C++ redistributable is needed.
enable_language(RC)
include(cmake/version_resource.cmake)
set(CONFIG_FILE_SOURCE config/config_file_windows.cpp)
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(ASI_LINK_OPTIONS)
set(PROGRAM_LINK_OPTIONS)

# The compiler writes the host's decorated names itself (natives/host.h); the
# import library takes them from the right-hand side of natives/ScriptHookV.def.
file(STRINGS ${CMAKE_SOURCE_DIR}/natives/ScriptHookV.def host_lines REGEX "==")
set(host_def "LIBRARY ScriptHookV.dll\nEXPORTS\n")
foreach(line IN LISTS host_lines)
    string(REGEX REPLACE "^.*== *" "" decorated "${line}")
    string(APPEND host_def "    ${decorated}\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/ScriptHookV_msvc.def "${host_def}")

set(HOST_IMPORT_LIBRARY ${CMAKE_BINARY_DIR}/ScriptHookV.lib)
set(HOST_IMPORT_COMMAND lib /nologo /def:${CMAKE_BINARY_DIR}/ScriptHookV_msvc.def /machine:x64
                        /out:${HOST_IMPORT_LIBRARY})
