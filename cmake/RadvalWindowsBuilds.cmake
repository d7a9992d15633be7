# The Windows executables, cross-built beside the native one with MinGW-w64,
# and tested under Wine: x86_64 with the 64-bit Wine, i686 (the shipping
# target) with the 64-bit Wine in its WoW64 mode, once Wine's 32-bit Windows
# DLLs are in RADVAL_WINE_I386_DLLS (tests/fetch-wine-i386 puts them there)
# and the machine runs 32-bit x86 code at all.
include(${CMAKE_CURRENT_LIST_DIR}/RadvalExternalBuild.cmake)

find_program(RADVAL_MINGW_I686 i686-w64-mingw32-g++-posix)
find_program(RADVAL_MINGW_X86_64 x86_64-w64-mingw32-g++-posix)
radval_part(RADVAL_WINDOWS_BUILDS "the Windows builds" windows
  NEEDS RADVAL_MINGW_I686 g++-mingw-w64-i686-posix RADVAL_MINGW_X86_64 g++-mingw-w64-x86-64-posix)
if(NOT windows)
  return()
endif()

find_program(RADVAL_WINE_PROGRAM wine)
find_program(RADVAL_WINE64_LOADER wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(RADVAL_TMUX tmux)
radval_part(RADVAL_TESTS "the Windows tests" windows_tests
  NEEDS RADVAL_WINE_PROGRAM wine RADVAL_WINE64_LOADER wine64 RADVAL_TMUX tmux RADVAL_GOOGLETEST_SOURCES googletest
        Python3_FOUND python3)
radval_external_build(windows-x86_64 mingw-w64-x86_64.cmake ${windows_tests})

set(RADVAL_WINE_I386_DLLS ${PROJECT_SOURCE_DIR}/.deps/wine-i386/dlls CACHE PATH
  "A folder whose i386-windows entry holds Wine's 32-bit Windows DLLs")
set(i686_tests OFF)
if(windows_tests)
  if(EXISTS ${RADVAL_WINE_I386_DLLS}/i386-windows/kernel32.dll)
    set(RADVAL_WOW64_DLLS ON)
  endif()
  radval_part(RADVAL_TESTS "the 32-bit Windows tests" i686_tests
    NEEDS RADVAL_WOW64_DLLS "Wine's 32-bit DLLs, from tests/fetch-wine-i386" RADVAL_WIXL wixl
          RADVAL_MSIBUILD msitools)
  if(i686_tests)
    if(NOT DEFINED RADVAL_RUNS_32_BIT_CODE)
      try_run(RADVAL_RUNS_32_BIT_CODE_STATUS built ${PROJECT_BINARY_DIR}/run-32-bit-code
        ${CMAKE_CURRENT_LIST_DIR}/run-32-bit-code.cpp)
      if(built AND RADVAL_RUNS_32_BIT_CODE_STATUS EQUAL 0)
        set(runs ON)
      else()
        set(runs OFF)
      endif()
      set(RADVAL_RUNS_32_BIT_CODE ${runs} CACHE BOOL "Whether this machine runs 32-bit x86 code, as WoW64 needs")
    endif()
    if(NOT RADVAL_RUNS_32_BIT_CODE)
      set(i686_tests OFF)
      radval_part_impossible(RADVAL_TESTS "the 32-bit Windows tests" "this machine runs no 32-bit x86 code")
    endif()
  endif()
endif()
if(i686_tests)
  radval_external_build(windows-i686 mingw-w64-i686.cmake ON -DRADVAL_WINE_WOW64_DLLS=${RADVAL_WINE_I386_DLLS})
else()
  radval_external_build(windows-i686 mingw-w64-i686.cmake OFF)
endif()
