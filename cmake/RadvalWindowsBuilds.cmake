# The Windows executables, cross-built beside the native one where the
# MinGW-w64 compilers are installed, and tested under Wine: x86_64 with the
# 64-bit Wine, i686 (the shipping target) with the 64-bit Wine in its WoW64
# mode, once Wine's 32-bit Windows DLLs are in RADVAL_WINE_I386_DLLS
# (tests/fetch-wine-i386 puts them there).
include(${CMAKE_CURRENT_LIST_DIR}/RadvalExternalBuild.cmake)

find_program(RADVAL_MINGW_I686 i686-w64-mingw32-g++-posix)
find_program(RADVAL_MINGW_X86_64 x86_64-w64-mingw32-g++-posix)
find_program(RADVAL_WINE_PROGRAM wine)
set(RADVAL_WINE_I386_DLLS ${PROJECT_SOURCE_DIR}/.deps/wine-i386/dlls CACHE PATH
  "A folder whose i386-windows entry holds Wine's 32-bit Windows DLLs")

if(RADVAL_MINGW_I686)
  if(RADVAL_TESTS AND RADVAL_WINE_PROGRAM AND EXISTS ${RADVAL_WINE_I386_DLLS}/i386-windows/kernel32.dll)
    radval_external_build(windows-i686 mingw-w64-i686.cmake ON -DRADVAL_WINE_WOW64_DLLS=${RADVAL_WINE_I386_DLLS})
  else()
    radval_external_build(windows-i686 mingw-w64-i686.cmake OFF)
    message(STATUS "No Wine or no 32-bit Wine DLLs in ${RADVAL_WINE_I386_DLLS}: the i686 tests do not run")
  endif()
else()
  message(STATUS "No i686-w64-mingw32-g++-posix: the 32-bit Windows executable is not built")
endif()

if(RADVAL_MINGW_X86_64 AND RADVAL_WINE_PROGRAM)
  radval_external_build(windows-x86_64 mingw-w64-x86_64.cmake ${RADVAL_TESTS})
else()
  message(STATUS "No x86_64-w64-mingw32-g++-posix or no Wine: the Windows tests do not run")
endif()
