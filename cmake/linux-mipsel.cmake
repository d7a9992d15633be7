# 32-bit little-endian MIPS Linux (mipsel): shipped as a Debian package.
set(CMAKE_SYSTEM_PROCESSOR mipsel)
set(RADVAL_LINUX_TRIPLET mipsel-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE mipsel)
set(RADVAL_DEBIAN_ARCHITECTURE mipsel)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
