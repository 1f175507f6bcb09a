# Windows builds made on Linux run their programs and tests under Wine (Debian's wine64 and
# wine): CTest starts each test program through wine-test and wine-run, which give it a Wine
# prefix of this build's own, Wine's messages switched off, and the tests' virtual display. The
# programs find what they load beside them in the bin folder (cmake/windows-runtime.cmake).
find_program(TONAQ_WINE wine)
find_program(TONAQ_WINESERVER NAMES wineserver wineserver64 PATHS /usr/lib/wine)
find_program(TONAQ_XVFB Xvfb)
if(NOT TONAQ_WINE OR NOT TONAQ_XVFB)
  message(STATUS "No wine or Xvfb: the Windows tests cannot run here "
                 "(apt-get install wine wine64 xvfb)")
  return()
endif()
set(TONAQ_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${PROJECT_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
               WORLD_READ WORLD_EXECUTE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-display.in ${PROJECT_BINARY_DIR}/wine-display
               @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
               GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-test.in ${PROJECT_BINARY_DIR}/wine-test @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
               WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
set(TONAQ_WINE_TEST ${PROJECT_BINARY_DIR}/wine-test)
