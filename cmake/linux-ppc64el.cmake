# 64-bit little-endian POWER Linux (ppc64el): shipped as a Debian package
# and an RPM package (ppc64le).
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(RADVAL_LINUX_TRIPLET powerpc64le-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE ppc64le)
set(RADVAL_DEBIAN_ARCHITECTURE ppc64el)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
