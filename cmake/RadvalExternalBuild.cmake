# One build for another platform, made beside the native one with its own
# toolchain file in cmake/ and its own build folder `name`; with `tests` on,
# it builds its tests too and they run as one test of this build. That test
# runs alone, as the native ones do, unless SIDE_BY_SIDE: a suite that mostly
# waits on its emulator runs beside the others that do (tests/run). Further
# arguments go to its configure step.
include(ExternalProject)

function(radval_external_build name toolchain tests)
  cmake_parse_arguments(PARSE_ARGV 3 arg "SIDE_BY_SIDE" "" "")
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/${toolchain}
      -DRADVAL_WERROR=${RADVAL_WERROR}
      -DRADVAL_SOURCE_DATE_EPOCH=${RADVAL_SOURCE_DATE_EPOCH}
      -DRADVAL_TESTS=${tests}
      -DRADVAL_GOOGLETEST_SOURCE=${RADVAL_GOOGLETEST_SOURCE}
      ${arg_UNPARSED_ARGUMENTS}
    BUILD_ALWAYS ON
    INSTALL_COMMAND "")
  if(tests)
    string(REPLACE "-" "_" test_name ${name})
    add_test(NAME ${test_name}
      COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${CMAKE_BINARY_DIR}/${name} --output-on-failure)
    if(NOT arg_SIDE_BY_SIDE)
      set_tests_properties(${test_name} PROPERTIES RUN_SERIAL ON)
    endif()
  endif()
endfunction()
