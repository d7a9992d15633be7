# The Linux builds for other architectures, made beside the native one with
# Debian's cross compilers, and tested under qemu-user: one for each
# architecture Debian releases for, each shipped as a Debian package (and
# some as RPM packages too: see their toolchain files).
include(${CMAKE_CURRENT_LIST_DIR}/RadvalExternalBuild.cmake)

function(radval_cross_build name triplet qemu)
  find_program(RADVAL_CROSS_${name} ${triplet}-g++)
  find_program(RADVAL_QEMU_${name} ${qemu})
  radval_part(RADVAL_CROSS_BUILDS "the ${name} build" made NEEDS RADVAL_CROSS_${name} g++-${triplet})
  if(NOT made)
    return()
  endif()
  radval_part(RADVAL_TESTS "the ${name} tests" tests
    NEEDS RADVAL_QEMU_${name} qemu-user RADVAL_GOOGLETEST_SOURCES googletest Python3_FOUND python3)
  # Under qemu-user the suite mostly waits: on the emulator's start, and on
  # the key wait's own pauses.
  radval_external_build(linux-${name} linux-${name}.cmake ${tests} SIDE_BY_SIDE)
endfunction()

radval_cross_build(aarch64 aarch64-linux-gnu qemu-aarch64)
radval_cross_build(armhf arm-linux-gnueabihf qemu-arm)
radval_cross_build(s390x s390x-linux-gnu qemu-s390x)
radval_cross_build(i386 i686-linux-gnu qemu-i386)
radval_cross_build(armel arm-linux-gnueabi qemu-arm)
radval_cross_build(mipsel mipsel-linux-gnu qemu-mipsel)
radval_cross_build(mips64el mips64el-linux-gnuabi64 qemu-mips64el)
radval_cross_build(ppc64el powerpc64le-linux-gnu qemu-ppc64le)
radval_cross_build(riscv64 riscv64-linux-gnu qemu-riscv64)
