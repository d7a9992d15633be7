# The optional parts of the build: the tests, the benchmarks, the Windows
# and other-architecture builds. Each has an option that is AUTO by default,
# so that a machine with only CMake, a compiler and gzip still builds radval:
#   AUTO  the part is made where its tools are found, and left out where
#         they are not; one line at the end of configure names what was
#         left out and the Debian packages that bring it;
#   ON    the part is made, or configure fails, naming the packages its
#         missing tools come in;
#   OFF   the part is not made.

# Declares the option `name` for a part.
function(radval_part_option name help)
  set(${name} AUTO CACHE STRING "${help}: ON, OFF or AUTO (where its tools are found)")
  set_property(CACHE ${name} PROPERTY STRINGS AUTO ON OFF)
endfunction()

# Whether the option `name` is AUTO, ON or OFF; any true or false value
# CMake knows counts as ON or OFF.
function(radval_part_mode name out)
  if("${${name}}" STREQUAL "AUTO")
    set(${out} AUTO PARENT_SCOPE)
  elseif(${name})
    set(${out} ON PARENT_SCOPE)
  else()
    set(${out} OFF PARENT_SCOPE)
  endif()
endfunction()

# radval_part(<option> <part> <out> NEEDS <found> <packages> [<found> <packages> ...])
#
# Sets `out` to whether `part` (words that name it, as "the unit tests") is
# made: the option is not OFF and every `found` holds a true value. Each
# `found` comes with what brings it, in one string: its Debian packages, or
# the step that makes it. A part that is left out is recorded for
# radval_report_parts.
function(radval_part option part out)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "NEEDS")
  set(${out} OFF PARENT_SCOPE)
  radval_part_mode(${option} mode)
  if(mode STREQUAL OFF)
    return()
  endif()
  set(missing)
  set(needs ${arg_NEEDS})
  while(needs)
    list(POP_FRONT needs found packages)
    if(NOT ${found})
      list(APPEND missing ${packages})
    endif()
  endwhile()
  if(NOT missing)
    set(${out} ON PARENT_SCOPE)
    return()
  endif()
  list(REMOVE_DUPLICATES missing)
  list(JOIN missing " " missing)
  if(mode STREQUAL ON)
    set_property(GLOBAL APPEND PROPERTY RADVAL_PARTS_REFUSED "${option}=ON asks for ${part}; missing: ${missing}")
  else()
    set_property(GLOBAL APPEND PROPERTY RADVAL_PARTS_LEFT_OUT "${part} (${missing})")
  endif()
endfunction()

# Records a part that cannot be made on this machine, whatever is installed:
# it is named as left out, and warned of where `option` asks for it.
function(radval_part_impossible option part why)
  radval_part_mode(${option} mode)
  if(mode STREQUAL ON)
    message(WARNING "${option}=ON asks for ${part}, but ${why}: they are left out")
  endif()
  set_property(GLOBAL APPEND PROPERTY RADVAL_PARTS_LEFT_OUT "${part} (${why})")
endfunction()

# At the end of configure: fails if a part asked for cannot be made, and
# names in one line what was left out.
function(radval_report_parts)
  get_property(refused GLOBAL PROPERTY RADVAL_PARTS_REFUSED)
  if(refused)
    list(JOIN refused ";\n  " refused)
    message(FATAL_ERROR "Parts asked for cannot be made:\n  ${refused}.\n"
      "Install what is missing (tests/run installs all that the tests need), or drop the option.")
  endif()
  get_property(left_out GLOBAL PROPERTY RADVAL_PARTS_LEFT_OUT)
  if(left_out)
    list(JOIN left_out "; " left_out)
    message(STATUS "Left out, for want of their tools (what brings them in brackets): ${left_out}")
  endif()
endfunction()
