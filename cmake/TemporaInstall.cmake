include(GNUInstallDirs)

# Each command the package ships is installed into bin/ by one call.
function(tempora_install_command target)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()
