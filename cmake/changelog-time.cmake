# Prints the time of the newest entry of a Debian-format changelog, in
# seconds since 1970, for scripts that need the release time the build takes.
#
# usage: cmake -DCHANGELOG=PATH -P cmake/changelog-time.cmake
include(${CMAKE_CURRENT_LIST_DIR}/RadvalChangelogTime.cmake)
radval_changelog_time(${CHANGELOG} seconds)
execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${seconds})
