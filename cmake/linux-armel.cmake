# 32-bit ARM Linux with soft float (armel): shipped as a Debian package.
set(CMAKE_SYSTEM_PROCESSOR armv5tel)
set(RADVAL_LINUX_TRIPLET arm-linux-gnueabi)
set(RADVAL_QEMU_ARCHITECTURE arm)
set(RADVAL_DEBIAN_ARCHITECTURE armel)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
