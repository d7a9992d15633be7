# 64-bit little-endian MIPS Linux (mips64el): shipped as a Debian package.
set(CMAKE_SYSTEM_PROCESSOR mips64el)
set(RADVAL_LINUX_TRIPLET mips64el-linux-gnuabi64)
set(RADVAL_QEMU_ARCHITECTURE mips64el)
set(RADVAL_DEBIAN_ARCHITECTURE mips64el)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
