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

# How radval is linked, and the floor it is measured against. radval's whole
# run is about as long as its start-up, and resolving a dynamically linked
# C++ runtime alone costs ten times a static start (on Windows every program
# is linked statically: see CMakeLists.txt). It ships as it is linked:
# without symbols. The linker hashes its output into the build ID, so a
# symbol table, which names each source file, would make the ID, and with it
# the binary, change when a file is renamed. The sanitizers' runtimes need
# dynamic linking, and their reports the symbols.
function(radval_link_as_shipped target)
  if(NOT WIN32 AND NOT RADVAL_SANITIZE)
    target_link_options(${target} PRIVATE -static)
  endif()
  if(NOT RADVAL_SANITIZE)
    target_link_options(${target} PRIVATE -s)
  endif()
endfunction()

if(RADVAL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for libFuzzer in everything the fuzz targets link.
if(RADVAL_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
