# The shipping target: a 32-bit Windows console program.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RADVAL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
