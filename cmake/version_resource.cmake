# A version resource for a shipped Windows binary, so that its properties say
# what it is: add_version_resource(TARGET FILE_NAME FILE_TYPE DESCRIPTION).
set(ASI_DESCRIPTION "BrambleCap: shields over trees and palms near the player")
set(CHECKER_DESCRIPTION "BrambleCap checker: explains BrambleCap.ini as the plug-in reads it")

function(add_version_resource target file_name file_type description)
    set(VERSION_FILE_NAME ${file_name})
    set(VERSION_FILE_TYPE ${file_type})
    set(VERSION_DESCRIPTION ${description})
    set(VERSION_INTERNAL_NAME ${target})
    set(rc ${CMAKE_BINARY_DIR}/${target}.version.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
