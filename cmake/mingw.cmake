# Cross build for the game's platform with MinGW-w64 (the windows preset).
include(cmake/version_resource.cmake)
set(CONFIG_FILE_SOURCE config/config_file_windows.cpp)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The same sources give the same bytes wherever and whenever they are built, so
# that anyone can check a release: no link time in the PE headers (the linker
# writes 0), and no build folder in a file name the compiler writes down.
add_compile_options("-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=" "-ffile-prefix-map=${CMAKE_BINARY_DIR}/=")
add_link_options(-Wl,--no-insert-timestamp)

# No runtime DLL to install: the C++ and GCC runtimes go inside each binary.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
# A plug-in exports nothing: the loader needs only the entry point, and the
# linker would otherwise export every function of the plug-in and its runtimes.
set(ASI_LINK_OPTIONS ${STATIC_RUNTIME} -s -Wl,--exclude-all-symbols)
# The programs players get, stripped like the .asi.
set(PROGRAM_LINK_OPTIONS ${STATIC_RUNTIME} -s)

# Plain names on our side, the host's decorated names in the import table.
set(HOST_IMPORT_LIBRARY ${CMAKE_BINARY_DIR}/libScriptHookV_imports.a)
set(HOST_IMPORT_COMMAND ${CMAKE_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/natives/ScriptHookV.def
                        -l ${HOST_IMPORT_LIBRARY} -D ScriptHookV.dll)
