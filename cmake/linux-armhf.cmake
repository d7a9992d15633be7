# 32-bit ARM Linux with hard float (armhf): shipped as a Debian package and
# an RPM package (armv7hl).
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(RADVAL_LINUX_TRIPLET arm-linux-gnueabihf)
set(RADVAL_QEMU_ARCHITECTURE arm)
set(RADVAL_DEBIAN_ARCHITECTURE armhf)
set(RADVAL_RPM_ARCHITECTURE armv7hl)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
