# Registers one Qt Test executable with the environment every test runs in: no display, a fixed
# language, time zone and configuration folder, and a timeout. A CORE test links tempora_core
# without any widget.
function(tempora_add_test name)
    cmake_parse_arguments(ARG "CORE" "TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_CORE)
        target_link_libraries(${name} PRIVATE tempora_core_test_support ${ARG_LIBRARIES})
    else()
        target_link_libraries(${name} PRIVATE tempora_test_support ${ARG_LIBRARIES})
    endif()
    target_compile_options(${name} PRIVATE -Wall -Wextra -pedantic)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;LANGUAGE=;TZ=Europe/Rome;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data;TEMPORA_HOME=;TEMPORA_FLOPPY=")
endfunction()
