# The Windows executables, cross-built beside the native one where the
# MinGW-w64 compilers are installed: i686 (the shipping target) is built;
# x86_64 is built and its tests run under Wine, which runs no 32-bit code here.
include(ExternalProject)

find_program(RADVAL_MINGW_I686 i686-w64-mingw32-g++-posix)
find_program(RADVAL_MINGW_X86_64 x86_64-w64-mingw32-g++-posix)
find_program(RADVAL_WINE_PROGRAM wine)

function(radval_windows_build name toolchain)
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}
      -DCMAKE_BUILD_TYPE=Release
      -DRADVAL_WERROR=${RADVAL_WERROR}
      ${ARGN}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
endfunction()

if(RADVAL_MINGW_I686)
  radval_windows_build(windows-i686 mingw-w64-i686.cmake -DRADVAL_TESTS=OFF)
else()
  message(STATUS "No i686-w64-mingw32-g++-posix: the 32-bit Windows executable is not built")
endif()

if(RADVAL_MINGW_X86_64 AND RADVAL_WINE_PROGRAM)
  radval_windows_build(windows-x86_64 mingw-w64-x86_64.cmake -DRADVAL_TESTS=${RADVAL_TESTS})
  if(RADVAL_TESTS)
    add_test(NAME windows_x86_64
      COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${CMAKE_BINARY_DIR}/windows-x86_64 --output-on-failure)
  endif()
else()
  message(STATUS "No x86_64-w64-mingw32-g++-posix or no Wine: the Windows tests do not run")
endif()
