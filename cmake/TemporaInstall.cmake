include(GNUInstallDirs)

# Every command the package ships has a manual page man/<command>.1 beside the sources.
function(tempora_install_man_page command)
    set(page ${CMAKE_SOURCE_DIR}/man/${command}.1)
    if(NOT EXISTS ${page})
        message(FATAL_ERROR "The command ${command} has no manual page: write man/${command}.1")
    endif()
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# Each command the package ships is installed into bin/, with its manual page, by one call.
function(tempora_install_command target)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    tempora_install_man_page(${target})
endfunction()
