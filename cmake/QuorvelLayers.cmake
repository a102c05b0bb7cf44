# Every library of the program is one layer. A layer's headers are reached as "<folder>/<File>.h"
# through a folder of its own in the build tree that holds links to exactly those headers, so
# that a target sees the headers of the layers it links and no others: an include of a layer
# that is not linked fails to build.

# quorvel_layer_headers(<target> <folder> <header>...): publishes the headers of <target>, given
# relative to the current source folder, as "<folder>/<header>".
function(quorvel_layer_headers target folder)
  set(stage ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${stage})
  file(MAKE_DIRECTORY ${stage}/${folder})
  foreach(header ${ARGN})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${stage}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${stage})
  target_link_libraries(${target} PRIVATE quorvel_warnings)
endfunction()
