# The layers of the code as libraries whose headers are reachable only through
# an include root of their own. A root holds one link, named like the folder,
# to that folder alone; a library sees its own root and those of the layers it
# links to, so an include of a higher layer's header ("load/..." from decode/)
# is not found and the build fails.
#
# orbalux_layer(TARGET FOLDER [DEPENDS lower targets...])
set(ORBALUX_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. CACHE INTERNAL "")
get_filename_component(ORBALUX_SOURCE_ROOT ${ORBALUX_SOURCE_ROOT} ABSOLUTE)

function(orbalux_layer target folder)
  cmake_parse_arguments(LAYER "" "" "DEPENDS" ${ARGN})
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${ORBALUX_SOURCE_ROOT}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${LAYER_DEPENDS})
  else()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${LAYER_DEPENDS})
  endif()
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()
