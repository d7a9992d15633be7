# Reproducible builds: the same commit gives the same binaries and packages
# in any folder at any time.
#
# Build paths are mapped out of what the compiler writes. The packages' file
# times come from SOURCE_DATE_EPOCH, which CPack honours: taken from the
# environment if set, else from the last commit, and handed to cpack through
# its project config file, since cpack runs apart from this configure step.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(RADVAL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_package(Git QUIET)
  if(GIT_FOUND)
    execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE RADVAL_SOURCE_DATE_EPOCH
      OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()

add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=. -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
if(WIN32)
  # A PE header carries its link time unless told not to.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

if(RADVAL_SOURCE_DATE_EPOCH)
  file(WRITE ${PROJECT_BINARY_DIR}/RadvalCPackConfig.cmake
    "set(ENV{SOURCE_DATE_EPOCH} ${RADVAL_SOURCE_DATE_EPOCH})\n")
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/RadvalCPackConfig.cmake)
endif()
