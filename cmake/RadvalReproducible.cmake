# Reproducible builds: the same sources give the same binaries and packages,
# from a clone or a source tarball, in any folder, at any time.
#
# Build paths are mapped out of what the compiler writes. Every time a package
# carries is the release's: SOURCE_DATE_EPOCH from the environment if set,
# else the date of the newest CHANGELOG entry, which a clone and a tarball
# share. CPack reads it from the environment, so it is handed to cpack
# through its project config file, since cpack runs apart from this
# configure step.
include(${CMAKE_CURRENT_LIST_DIR}/RadvalChangelogTime.cmake)

# A build made beside this one (cmake/RadvalExternalBuild.cmake) is handed
# this build's time.
if(NOT DEFINED RADVAL_SOURCE_DATE_EPOCH)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(RADVAL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
  else()
    radval_changelog_time(${PROJECT_SOURCE_DIR}/CHANGELOG RADVAL_SOURCE_DATE_EPOCH)
  endif()
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG)

add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
if(WIN32)
  # A PE header carries its link time unless told not to.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# Folders that install() makes would otherwise take the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# A zip dates its files in local time: the release's time in UTC, wherever
# it is packed.
file(WRITE ${PROJECT_BINARY_DIR}/RadvalCPackConfig.cmake
  "set(ENV{SOURCE_DATE_EPOCH} ${RADVAL_SOURCE_DATE_EPOCH})\nset(ENV{TZ} UTC)\n")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/RadvalCPackConfig.cmake)
