enable_language(RC)

# The file players install, the stand-in host as ScriptHookV.dll, and the
# programs that run them under a Windows loader.

# Plain names on our side, the host's decorated names in the import table.
set(HOST_IMPORTS ${CMAKE_BINARY_DIR}/libScriptHookV_imports.a)
add_custom_command(
    OUTPUT ${HOST_IMPORTS}
    COMMAND ${CMAKE_DLLTOOL} -d ${CMAKE_SOURCE_DIR}/natives/ScriptHookV.def -l ${HOST_IMPORTS}
            -D ScriptHookV.dll
    DEPENDS ${CMAKE_SOURCE_DIR}/natives/ScriptHookV.def)
add_custom_target(host_imports DEPENDS ${HOST_IMPORTS})

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# No runtime DLL to install: the C++ and GCC runtimes go inside each binary.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_library(bramblecap_core STATIC ${PLUGIN_SOURCES} plugin/file_system_windows.cpp)
target_link_libraries(bramblecap_core PUBLIC bramble_warnings)

configure_file(plugin/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)
add_library(BrambleCap SHARED ${CMAKE_BINARY_DIR}/version.rc)
target_link_libraries(BrambleCap PRIVATE -Wl,--whole-archive bramblecap_core -Wl,--no-whole-archive
                                         ${HOST_IMPORTS})
target_link_options(BrambleCap PRIVATE ${STATIC_RUNTIME} -s)
set_target_properties(BrambleCap PROPERTIES PREFIX "" SUFFIX ".asi")
add_dependencies(BrambleCap host_imports)

add_library(ScriptHookV SHARED ${SIM_SOURCES} sim/script_context_fiber.cpp sim/ScriptHookV.def)
target_compile_definitions(ScriptHookV PRIVATE STANDIN_HOST)
# GetCurrentFiber reads the thread block through an intrinsic GCC misjudges.
set_source_files_properties(sim/script_context_fiber.cpp PROPERTIES COMPILE_OPTIONS -Wno-array-bounds)
target_link_libraries(ScriptHookV PRIVATE bramble_warnings bramblecap_hash)
# The simulated world is exported for the programs that drive it; the runtimes inside are not.
target_link_options(ScriptHookV PRIVATE ${STATIC_RUNTIME} -Wl,--export-all-symbols
                    -Wl,--exclude-libs,ALL)
set_target_properties(ScriptHookV PROPERTIES PREFIX "" IMPORT_PREFIX "lib")


add_subdirectory(tools)

if(BRAMBLECAP_TESTS)
    enable_testing()
    add_subdirectory(tests)
endif()
