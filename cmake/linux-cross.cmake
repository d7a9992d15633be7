# Shared by the Linux cross toolchain files: builds with the cross compilers
# named by RADVAL_LINUX_TRIPLET, links every program statically (so that it
# runs without the target's shared libraries), and runs what it builds
# (tests) under qemu-user where that is installed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${RADVAL_LINUX_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${RADVAL_LINUX_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${RADVAL_LINUX_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(RADVAL_QEMU qemu-${RADVAL_QEMU_ARCHITECTURE})
if(RADVAL_QEMU)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RADVAL_QEMU})
endif()
