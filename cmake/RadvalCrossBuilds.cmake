# The Linux builds for other architectures, made beside the native one where
# their cross compilers are installed, and tested under qemu-user where that
# is installed too: aarch64 and armhf (shipped as Debian packages), and
# s390x (big-endian, a portability check only).
include(${CMAKE_CURRENT_LIST_DIR}/RadvalExternalBuild.cmake)

function(radval_cross_build name triplet qemu)
  find_program(RADVAL_CROSS_${name} ${triplet}-g++)
  find_program(RADVAL_QEMU_${name} ${qemu})
  if(NOT RADVAL_CROSS_${name})
    message(STATUS "No ${triplet}-g++: the ${name} build is not made")
    return()
  endif()
  set(run_tests OFF)
  if(RADVAL_TESTS AND RADVAL_QEMU_${name})
    set(run_tests ON)
  endif()
  radval_external_build(linux-${name} linux-${name}.cmake ${run_tests})
endfunction()

radval_cross_build(aarch64 aarch64-linux-gnu qemu-aarch64)
radval_cross_build(armhf arm-linux-gnueabihf qemu-arm)
radval_cross_build(s390x s390x-linux-gnu qemu-s390x)
