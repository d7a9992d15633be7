# Shared by the MinGW-w64 toolchain files: cross-compiles for Windows with
# the compilers named by RADVAL_MINGW_TRIPLET, and runs what it builds
# (tests) under Wine where Wine is installed. The compilers are those of the
# posix thread model, whose C++ runtime has the std::mutex GoogleTest needs;
# radval links that runtime in, so it still needs no DLL beyond the system's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${RADVAL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RADVAL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RADVAL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RADVAL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# 32-bit programs run under the 64-bit Wine's loader in its WoW64 mode when
# RADVAL_WINE_WOW64_DLLS names a folder holding Wine's 32-bit Windows DLLs
# (tests/fetch-wine-i386 makes one); otherwise `wine` runs what it can.
if(RADVAL_WINE_WOW64_DLLS)
  find_program(RADVAL_WINE wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
else()
  find_program(RADVAL_WINE wine)
endif()
if(RADVAL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RADVAL_WINE})
endif()
