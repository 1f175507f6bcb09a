# Toolchain of the `windows` preset: Tonaq for 64-bit Windows against a Qt 6 kit for Windows.
#
# The kit is the folder named by the environment variable TONAQ_QT_WINDOWS (a Qt 6 kit for
# MinGW-w64 or MSVC, unpacked), or else the MinGW-w64 kit that ../shared/windows beside the
# project holds as an archive, unpacked once into build/kits. On a Windows machine the kit's own
# compiler builds natively; elsewhere Debian's MinGW-w64 cross compiler (posix threads) does,
# with moc, rcc and lrelease taken from Debian's own Qt 6 of the same version.
set(TONAQ_WINDOWS_ARCHIVE
    "${CMAKE_CURRENT_LIST_DIR}/../../shared/windows/qt-6.4.2-mingw-w64.tar.xz")

if(NOT "$ENV{TONAQ_QT_WINDOWS}" STREQUAL "")
  file(TO_CMAKE_PATH "$ENV{TONAQ_QT_WINDOWS}" TONAQ_QT_KIT)
elseif(EXISTS "${TONAQ_WINDOWS_ARCHIVE}")
  get_filename_component(_tonaq_kits "${CMAKE_CURRENT_LIST_DIR}/../build/kits" ABSOLUTE)
  set(TONAQ_QT_KIT "${_tonaq_kits}/qt-6.4.2-mingw-w64")
  # Unpacked once for every build folder; the stamp says the unpacking ran to its end.
  if(NOT EXISTS "${TONAQ_QT_KIT}/.unpacked")
    file(REMOVE_RECURSE "${TONAQ_QT_KIT}")
    file(MAKE_DIRECTORY "${_tonaq_kits}")
    file(ARCHIVE_EXTRACT INPUT "${TONAQ_WINDOWS_ARCHIVE}" DESTINATION "${_tonaq_kits}")
    file(TOUCH "${TONAQ_QT_KIT}/.unpacked")
  endif()
else()
  message(FATAL_ERROR
          "No Qt kit for Windows: set TONAQ_QT_WINDOWS to an unpacked Qt 6 kit for Windows "
          "(MinGW-w64 or MSVC), or put qt-6.4.2-mingw-w64.tar.xz in ../shared/windows beside "
          "the project (its build-kit script makes one from Debian's sources).")
endif()

set(_tonaq_qt_toolchain "${TONAQ_QT_KIT}/lib/cmake/Qt6/qt.toolchain.cmake")
if(NOT EXISTS "${_tonaq_qt_toolchain}")
  message(FATAL_ERROR "${TONAQ_QT_KIT} is no Qt 6 kit: it has no lib/cmake/Qt6/qt.toolchain.cmake")
endif()
if(NOT CMAKE_HOST_WIN32)
  # Tools that run on this machine while the build runs: Debian's own Qt 6.
  file(GLOB _tonaq_host_qt LIST_DIRECTORIES true "/usr/lib/*/cmake/Qt6")
  list(GET _tonaq_host_qt 0 _tonaq_host_qt)
  get_filename_component(_tonaq_host_qt "${_tonaq_host_qt}" DIRECTORY)
  set(QT_HOST_PATH "/usr" CACHE PATH "Qt for the build machine's own tools")
  set(QT_HOST_PATH_CMAKE_DIR "${_tonaq_host_qt}" CACHE PATH "Its CMake packages")
endif()
include("${_tonaq_qt_toolchain}")
