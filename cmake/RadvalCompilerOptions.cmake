# Compiler settings shared by every radval target.

option(RADVAL_WERROR "Treat compiler warnings as errors" OFF)
option(RADVAL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(RADVAL_FUZZERS "Build the libFuzzer targets (clang only)" OFF)

function(radval_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(RADVAL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# What radval's own code asks of the C++ runtime: nothing thrown, and no
# type asked at run time. Linked statically, the runtime then brings none of
# its exception and type machinery with it. The tests keep them.
function(radval_runtime_options target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
endfunction()

if(RADVAL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for libFuzzer in everything the fuzz targets link.
if(RADVAL_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
