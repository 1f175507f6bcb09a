# tonaq_windows_resources(TARGET DESCRIPTION): builds into a Windows program its manifest (the
# TARGET.manifest.in beside its sources, for this build's processor), the program's icon and its
# version information, all from the project's one version.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TONAQ_MANIFEST_ARCH amd64)
else()
  set(TONAQ_MANIFEST_ARCH x86)
endif()
function(tonaq_windows_resources target description)
  set(TONAQ_RC_NAME ${target})
  set(TONAQ_RC_FILE ${target}.exe)
  set(TONAQ_RC_DESCRIPTION "${description}")
  set(TONAQ_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(TONAQ_RC_ICON ${PROJECT_SOURCE_DIR}/packaging/windows/tonaq.ico)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/${target}.manifest.in ${TONAQ_RC_MANIFEST} @ONLY)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
    OBJECT_DEPENDS "${TONAQ_RC_MANIFEST};${TONAQ_RC_ICON}")
endfunction()
