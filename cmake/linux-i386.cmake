# 32-bit x86 Linux (i386): shipped as a Debian package. Run under qemu-i386
# like the other architectures, since some machines run no 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(RADVAL_LINUX_TRIPLET i686-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE i386)
set(RADVAL_DEBIAN_ARCHITECTURE i386)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
