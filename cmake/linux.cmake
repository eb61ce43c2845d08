# Native build of the same plug-in sources, linked with the stand-in host.
add_library(bramblecap_core STATIC ${PLUGIN_SOURCES} plugin/file_system_posix.cpp)
target_link_libraries(bramblecap_core PUBLIC bramble_warnings)

add_library(bramblecap_sim STATIC ${SIM_SOURCES} sim/script_context_thread.cpp)
target_link_libraries(bramblecap_sim PUBLIC bramble_warnings bramblecap_hash)


add_subdirectory(tools)

if(BRAMBLECAP_BENCH)
    add_subdirectory(bench)
endif()

if(BRAMBLECAP_FUZZ)
    enable_testing()
    add_subdirectory(fuzz)
endif()

if(BRAMBLECAP_TESTS)
    enable_testing()
    add_subdirectory(tests)
endif()
