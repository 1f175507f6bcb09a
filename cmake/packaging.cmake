# Desktop integration and the Debian package: the programs, their menu entry, icon, file type,
# manual pages, shell completion, AppStream metadata, copyright and changelog. On Windows, the
# installer (cmake/windows-package.cmake).
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_VENDOR "Tonaq")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows-runtime.cmake)
  include(${CMAKE_CURRENT_LIST_DIR}/windows-package.cmake)
  include(CPack)
  return()
endif()
include(GNUInstallDirs)
set(TONAQ_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

install(FILES ${TONAQ_PACKAGING_DIR}/tonaq.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TONAQ_PACKAGING_DIR}/tonaq.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TONAQ_PACKAGING_DIR}/tonaq-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME tonaq.xml)
# The AppStream id is reverse-DNS; <launchable> in the file names tonaq.desktop.
install(FILES ${TONAQ_PACKAGING_DIR}/org.tonaq.Tonaq.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Completion of tonaqctl.
install(FILES ${TONAQ_PACKAGING_DIR}/completion/tonaqctl.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tonaqctl)
install(FILES ${TONAQ_PACKAGING_DIR}/completion/_tonaqctl
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)

# Manual pages and the Debian changelog are installed compressed the way Debian wants them:
# gzip -9n, so that the archive holds neither a file name nor a time stamp.
if(UNIX AND NOT APPLE)
  find_program(TONAQ_GZIP gzip)
endif()
if(TONAQ_GZIP)
  set(_tonaq_gzipped)
  foreach(_source man/tonaq.1 man/tonaqctl.1 debian/changelog)
    set(_copy ${CMAKE_CURRENT_BINARY_DIR}/packaging/${_source})
    add_custom_command(
      OUTPUT ${_copy}.gz
      COMMAND ${CMAKE_COMMAND} -E copy ${TONAQ_PACKAGING_DIR}/${_source} ${_copy}
      COMMAND ${TONAQ_GZIP} -9nf ${_copy}
      DEPENDS ${TONAQ_PACKAGING_DIR}/${_source}
      COMMENT "Compressing ${_source}"
      VERBATIM)
    list(APPEND _tonaq_gzipped ${_copy}.gz)
  endforeach()
  add_custom_target(tonaq_gzipped_docs ALL DEPENDS ${_tonaq_gzipped})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/man/tonaq.1.gz
                ${CMAKE_CURRENT_BINARY_DIR}/packaging/man/tonaqctl.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  # CPack builds a package whose version has no Debian revision (1.0.23, not 1.0.23-1), which
  # Debian calls a native package: its changelog is changelog.gz, not changelog.Debian.gz.
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/debian/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
# Machine-readable (DEP-5) copyright; Debian's name for the MIT licence is Expat.
install(FILES ${TONAQ_PACKAGING_DIR}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME tonaq)
set(CPACK_PACKAGE_CONTACT "Tonaq developers <developers@tonaq.example.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tonaq.example.org/")
# Debian wants the lines of the extended description no longer than 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Finds the serial ports the unit may be on, sounds DTMF tones from a keypad or\n\
the PC keyboard, plays single tones, stored strings and sequences of up to 20\n\
tones, and reads and writes the unit's eight memory locations. tonaq --demo\n\
runs against a simulated unit; tonaqctl does the same work from a shell.")
# The packaged programs carry no symbol table.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
# The Qt runtime that Debian's qt6-base-dev, qt6-serialport-dev and qt6-multimedia-dev build
# against; libqt6network6 carries network units, and TLS through its OpenSSL plugin; libudev1
# tells of adapters plugged and pulled.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.2), libqt6gui6 (>= 6.2), libqt6core6 (>= 6.2), libqt6network6 (>= 6.2), libqt6serialport6 (>= 6.2), libqt6multimedia6 (>= 6.2), qt6-qpa-plugins, libudev1, libstdc++6, libc6")
# Qt's own texts (dialog buttons, key names) in the operator's language, beside the program's.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
