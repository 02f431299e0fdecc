# The plug-in's layers, each a target that sees only the layers it builds on:
# host <- engine <- editor, with gui beside the editor. Sources name headers
# as "<layer>/file.h"; every layer publishes an include root of its own that
# holds a link to its folder alone, so a target finds the headers of the
# layers it links and no others, and an include that runs the wrong way does
# not compile.
function(oscinda_layer_include_root target layer)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${layer})
  if(NOT EXISTS ${root}/${layer})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${layer} ${root}/${layer} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# oscinda_layer(target layer [DEPENDS other layer targets...] SOURCES ...):
# an object library of the plug-in with hidden symbols.
function(oscinda_layer target layer)
  cmake_parse_arguments(LAYER "" "" "DEPENDS;SOURCES" ${ARGN})
  add_library(${target} OBJECT ${LAYER_SOURCES})
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  oscinda_layer_include_root(${target} ${layer})
  if(LAYER_DEPENDS)
    target_link_libraries(${target} PUBLIC ${LAYER_DEPENDS})
  endif()
endfunction()
