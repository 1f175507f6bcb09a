# The Windows installer, made by `cpack -G NSIS` in the build folder: Tonaq-VERSION-win64.exe
# puts both programs into Program Files\Tonaq with the Qt and compiler runtime DLLs and the Qt
# plugins they load, the translations (Tonaq's and Qt's own), a Start-menu entry, .tnq files
# opening in Tonaq, a licence page and an uninstaller.

set(CPACK_GENERATOR NSIS)
set(CPACK_VERBATIM_VARIABLES ON) # the NSIS lines below keep their quotes
set(CPACK_STRIP_FILES ON) # the programs go without their symbol tables
set(CPACK_PACKAGE_NAME Tonaq)
set(CPACK_PACKAGE_FILE_NAME Tonaq-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Tonaq)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Tonaq)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "Tonaq ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME Tonaq) # also the Start-menu folder
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/tonaq.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/packaging/windows/tonaq.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME tonaq.exe)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES tonaq Tonaq)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# .tnq files open in Tonaq; the program's own log in its folder goes with it.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  WriteRegStr SHCTX "Software\Classes\.tnq" "" "Tonaq.Configuration"
  WriteRegStr SHCTX "Software\Classes\Tonaq.Configuration" "" "Tonaq configuration"
  WriteRegStr SHCTX "Software\Classes\Tonaq.Configuration\DefaultIcon" "" "$INSTDIR\tonaq.exe,0"
  WriteRegStr SHCTX "Software\Classes\Tonaq.Configuration\shell\open\command" "" '"$INSTDIR\tonaq.exe" "%1"'
]=])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey SHCTX "Software\Classes\Tonaq.Configuration"
  ReadRegStr $0 SHCTX "Software\Classes\.tnq" ""
  StrCmp $0 "Tonaq.Configuration" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.tnq"
  Delete "$INSTDIR\ErrorLog.txt"
]=])

# A 64-bit installer: CMake's own NSIS script with the target that makensis builds for. Debian's
# wine64 runs only 64-bit programs, and so do the Program Files it installs into.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in _template)
string(REGEX REPLACE "(; CPack install script[^\n]*\n)" "\\1Target amd64-unicode\n" _template
       "${_template}")
file(WRITE ${PROJECT_BINARY_DIR}/nsis/NSIS.template.in "${_template}")
list(PREPEND CMAKE_MODULE_PATH ${PROJECT_BINARY_DIR}/nsis)
