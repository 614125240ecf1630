# nibblecast_add_header(<target> PICTURE <picture> [INVERT] [OUTPUT_DIR <dir>])
#
# Converts <picture> with nibblecast-cli at build time, again whenever the picture changes, into
# <dir>/<name>_data.h and <dir>/<name>_raw.raw (<dir> defaults to a folder in the current binary
# directory), and lets <target> #include "<name>_data.h". Set SOURCE_DATE_EPOCH in the build's
# environment for byte-identical headers from build to build.
function(nibblecast_add_header target)
    cmake_parse_arguments(ARG "INVERT" "PICTURE;OUTPUT_DIR" "" ${ARGN})
    if(NOT ARG_PICTURE)
        message(FATAL_ERROR "nibblecast_add_header: PICTURE is required")
    endif()
    if(NOT ARG_OUTPUT_DIR)
        set(ARG_OUTPUT_DIR "${CMAKE_CURRENT_BINARY_DIR}/nibblecast")
    endif()

    get_filename_component(picture "${ARG_PICTURE}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(stem "${picture}" NAME_WLE)
    set(header "${ARG_OUTPUT_DIR}/${stem}_data.h")
    set(raw "${ARG_OUTPUT_DIR}/${stem}_raw.raw")
    set(invert)
    if(ARG_INVERT)
        set(invert --invert)
    endif()

    add_custom_command(
        OUTPUT "${header}" "${raw}"
        COMMAND Nibblecast::cli --quiet ${invert} --output-dir "${ARG_OUTPUT_DIR}" "${picture}"
        DEPENDS "${picture}" Nibblecast::cli
        COMMENT "Converting ${ARG_PICTURE} for the EK-LM3S6965 display"
        VERBATIM)
    target_sources(${target} PRIVATE "${header}")
    target_include_directories(${target} PRIVATE "${ARG_OUTPUT_DIR}")
endfunction()
