# `cmake --install --strip` and cpack strip the installed programs as Debian's
# own tools do (dh_strip), so that the package carries no compiler notes.
# Included before any install rule: the rules take the strip command of their
# folder.
if(CMAKE_STRIP)
  set(ORBALUX_REAL_STRIP ${CMAKE_STRIP})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/strip-like-debian.sh.in ${CMAKE_BINARY_DIR}/strip-like-debian.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_STRIP ${CMAKE_BINARY_DIR}/strip-like-debian.sh)
endif()
