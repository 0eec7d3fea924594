# `cpack -G DEB` in a build folder makes tempora_<version>_<arch>.deb from what `cmake --install`
# puts in place. The libraries' packages come from the binaries (dpkg-shlibdeps); the SQLite driver
# is a plug-in and the fonts are data, so those are named here.
set(CPACK_PACKAGE_NAME tempora)
set(CPACK_PACKAGE_VENDOR "Tempora")
set(CPACK_PACKAGE_CONTACT "Tempora developers <tempora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clock strip, contact times and station log for radio amateurs")
set(CPACK_PACKAGE_DESCRIPTION
    "Tempora shows the PC date and time and UTC clocks shifted by the local-time difference, \
freezes the start and end times of a contact with one click, lists the UTC offsets of 24 cities, \
keeps the station log in an SQLite file edited in a grid and backs it up to a removable medium.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY tempora)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation2, fonts-comic-neue")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, sqlite3")
include(CPack)
