# What the Windows programs load besides themselves, put beside them in the build's bin folder
# (so that they run there as installed) and installed with them: Qt's libraries and the plugins
# the programs load, laid out as Qt looks for them beside a program, and the compiler's runtime.
# Libraries that come with their symbols are stripped on the way. The tests' own (Qt Test, the
# offscreen platform) go to the bin folder alone.
set(_bin ${PROJECT_BINARY_DIR}/bin)
set(_installed
    $<TARGET_FILE:Qt6::Core> . $<TARGET_FILE:Qt6::Gui> . $<TARGET_FILE:Qt6::Widgets> .
    $<TARGET_FILE:Qt6::Network> . $<TARGET_FILE:Qt6::SerialPort> .
    $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> platforms
    $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> styles
    $<TARGET_FILE:Qt6::QSchannelBackendPlugin> tls)
set(_tests_only)
if(TONAQ_BUILD_TESTS)
  set(_tests_only $<TARGET_FILE:Qt6::Test> . $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>
                  platforms)
endif()
if(MINGW)
  foreach(_dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
                    OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
    list(APPEND _installed ${_path} .)
  endforeach()
else()
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
  include(InstallRequiredSystemLibraries)
endif()

set(_copies)
foreach(_list _installed _tests_only)
  set(_pairs ${${_list}})
  while(_pairs)
    list(POP_FRONT _pairs _file _folder)
    # The file's name, known only when the build runs for a generator expression: a stamp
    # stands for it.
    string(MD5 _key "${_file}")
    set(_stamp ${PROJECT_BINARY_DIR}/runtime/${_key}.stamp)
    if(CMAKE_STRIP)
      set(_copy ${CMAKE_STRIP} --strip-unneeded -o ${_bin}/${_folder}/$<PATH:GET_FILENAME,${_file}>
                ${_file})
    else()
      set(_copy ${CMAKE_COMMAND} -E copy ${_file} ${_bin}/${_folder})
    endif()
    add_custom_command(OUTPUT ${_stamp}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${_bin}/${_folder}
                       COMMAND ${_copy}
                       COMMAND ${CMAKE_COMMAND} -E touch ${_stamp}
                       DEPENDS ${_file} VERBATIM)
    list(APPEND _copies ${_stamp})
    if(_list STREQUAL "_installed")
      install(FILES ${_bin}/${_folder}/$<PATH:GET_FILENAME,${_file}> DESTINATION ${_folder})
    endif()
  endwhile()
endforeach()
add_custom_target(tonaq_windows_runtime ALL DEPENDS ${_copies})
