# The Linux builds for other architectures, made beside the native one with
# Debian's cross compilers, and tested under qemu-user: aarch64 and armhf
# (shipped as Debian packages), and s390x (big-endian, a portability check
# only).
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
  radval_external_build(linux-${name} linux-${name}.cmake ${tests})
endfunction()

radval_cross_build(aarch64 aarch64-linux-gnu qemu-aarch64)
radval_cross_build(armhf arm-linux-gnueabihf qemu-arm)
radval_cross_build(s390x s390x-linux-gnu qemu-s390x)
