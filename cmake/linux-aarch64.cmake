# 64-bit ARM Linux (arm64): shipped as a Debian package and an RPM package
# (aarch64).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(RADVAL_LINUX_TRIPLET aarch64-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE aarch64)
set(RADVAL_DEBIAN_ARCHITECTURE arm64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
