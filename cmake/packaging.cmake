# Desktop integration and the Debian package: the program, its menu entry, icon and file type.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tonaq.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tonaq.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tonaq-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tonaq.xml)

set(CPACK_PACKAGE_NAME tonaq)
set(CPACK_PACKAGE_VENDOR "Tonaq")
set(CPACK_PACKAGE_CONTACT "Tonaq maintainers <maintainers@tonaq.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the serial ports the unit may be on, sounds DTMF tones from a keypad or the PC keyboard,\n\
plays single tones, stored strings and sequences of up to 20 tones, and reads and writes the\n\
unit's eight memory locations. tonaq --demo runs against a simulated unit.")
# The packaged program carries no symbol table.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
# The Qt runtime that Debian's qt6-base-dev and qt6-serialport-dev build against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6core6 (>= 6.2), libqt6serialport6 (>= 6.2), qt6-qpa-plugins, libstdc++6, libc6")
include(CPack)
