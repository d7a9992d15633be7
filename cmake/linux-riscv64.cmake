# 64-bit RISC-V Linux (riscv64): shipped as a Debian package.
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(RADVAL_LINUX_TRIPLET riscv64-linux-gnu)
set(RADVAL_QEMU_ARCHITECTURE riscv64)
set(RADVAL_DEBIAN_ARCHITECTURE riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
