# Draws the two diagrams of docs/architecture.md from the build itself, as Graphviz sources:
#   layers.dot     the folders of src/ in their layers, as tests/layers.cmake ranks them;
#   libraries.dot  the libraries and programs and what each links, as CMake's --graphviz sees
#                  them in a configured build without tests.
# cmake -DSOURCE_DIR=... -DOUT_DIR=... [-DGENERATOR=Ninja] [-DCHECK=ON] -P tools/architecture.cmake
# scripts/architecture renders them to SVG beside the page (docs/architecture-*.dot, .svg); with
# CHECK, as the architecture test runs it, it fails when the page's copies have fallen behind.
if(NOT GENERATOR)
  set(GENERATOR Ninja)
endif()
file(MAKE_DIRECTORY ${OUT_DIR})

# The layers, top to bottom, named as the page names them.
set(names_6 "the programs")
set(names_5 "the simulated unit and its sound")
set(names_4 "feature frames")
set(names_3 "what the windows share")
set(names_2 "session, driver, memory model")
set(names_1 "the link and its transports")
set(names_0 "the base")
file(STRINGS ${SOURCE_DIR}/tests/layers.cmake ranks REGEX "^set\\(rank_[a-z]+ [0-9]+\\)")
set(dot "digraph layers {\n  rankdir=TB;\n  compound=true;\n  node [shape=box, fontname=\"DejaVu Sans\", fontsize=11];\n")
foreach(rank RANGE 6 0 -1)
  set(folders "")
  foreach(line ${ranks})
    string(REGEX MATCH "^set\\(rank_([a-z]+) ([0-9]+)\\)" _ "${line}")
    if(CMAKE_MATCH_2 EQUAL rank)
      string(APPEND folders " \"${CMAKE_MATCH_1}/\"")
    endif()
  endforeach()
  string(APPEND dot "  subgraph cluster_${rank} { label=\"${names_${rank}}\"; fontname=\"DejaVu Sans\"; "
                    "fontsize=10;${folders}; }\n")
  string(STRIP "${folders}" folders)
  string(REPLACE " " ";" folder_list "${folders}")
  list(GET folder_list 0 first_${rank})
  if(rank LESS 6)
    math(EXPR above "${rank} + 1")
    string(APPEND dot "  ${first_${above}} -> ${first_${rank}} [ltail=cluster_${above}, "
                      "lhead=cluster_${rank}];\n")
  endif()
endforeach()
string(APPEND dot "}\n")
file(WRITE ${OUT_DIR}/layers.dot "${dot}")

# The libraries and programs, from a build configured for it alone.
set(graph ${OUT_DIR}/graph)
file(MAKE_DIRECTORY ${graph})
file(WRITE ${graph}/CMakeGraphVizOptions.cmake
     "set(GRAPHVIZ_GRAPH_NAME libraries)\n"
     "set(GRAPHVIZ_EXTERNAL_LIBS OFF)\n"
     "set(GRAPHVIZ_GENERATE_PER_TARGET OFF)\n"
     "set(GRAPHVIZ_GENERATE_DEPENDERS OFF)\n"
     "set(GRAPHVIZ_IGNORE_TARGETS \"_autogen$;^tonaq_screenshots$\")\n")
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${graph} -G ${GENERATOR}
                        -DTONAQ_BUILD_TESTS=OFF --graphviz=${graph}/targets.dot
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "configuring ${graph} failed")
endif()
file(READ ${graph}/targets.dot libraries)
# The legend is Graphviz's explanation of CMake's shapes; the page says what the shapes are.
string(REGEX REPLACE "subgraph clusterLegend {[^}]*}\n" "" libraries "${libraries}")
file(WRITE ${OUT_DIR}/libraries.dot "${libraries}")

if(CHECK)
  foreach(diagram layers libraries)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT_DIR}/${diagram}.dot
                            ${SOURCE_DIR}/docs/architecture-${diagram}.dot RESULT_VARIABLE differs)
    if(differs)
      message(FATAL_ERROR "docs/architecture-${diagram}.dot no longer draws the build: run "
                          "scripts/architecture and look at the page again")
    endif()
  endforeach()
endif()
