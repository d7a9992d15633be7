# The time of the newest entry of a Debian-format changelog, in seconds since
# 1970 (UTC): the date of its first trailer line,
#  " -- NAME <ADDRESS>  Tue, 08 Dec 2026 12:00:00 +0000",
# read as Debian's tools read debian/changelog.

set(RADVAL_MONTHS Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)

# Days from 1970-01-01 to the given date of the proleptic Gregorian calendar,
# counting in eras of 400 years from 1 March of year 0.
function(radval_days_since_1970 year month day out)
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR month_from_march "${month} + 9")
  else()
    math(EXPR month_from_march "${month} - 3")
  endif()
  math(EXPR era "${year} / 400")
  math(EXPR year_of_era "${year} - ${era} * 400")
  math(EXPR day_of_year "(153 * ${month_from_march} + 2) / 5 + ${day} - 1")
  math(EXPR day_of_era "${year_of_era} * 365 + ${year_of_era} / 4 - ${year_of_era} / 100 + ${day_of_year}")
  math(EXPR days "${era} * 146097 + ${day_of_era} - 719468")
  set(${out} ${days} PARENT_SCOPE)
endfunction()

function(radval_changelog_time changelog out)
  file(STRINGS ${changelog} trailers REGEX "^ -- ")
  if(NOT trailers)
    message(FATAL_ERROR "${changelog} has no entry with a trailer line")
  endif()
  list(GET trailers 0 trailer)
  set(date "[A-Z][a-z][a-z], +([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9]+):([0-9]+):([0-9]+) ([+-])([0-9][0-9])([0-9][0-9])")
  if(NOT trailer MATCHES ">  ${date}$")
    message(FATAL_ERROR "No date in the trailer line of ${changelog}'s newest entry: '${trailer}'")
  endif()
  list(FIND RADVAL_MONTHS ${CMAKE_MATCH_2} month)
  if(month LESS 0)
    message(FATAL_ERROR "No month '${CMAKE_MATCH_2}' in the trailer line of ${changelog}'s newest entry")
  endif()
  math(EXPR month "${month} + 1")
  set(day ${CMAKE_MATCH_1})
  set(year ${CMAKE_MATCH_3})
  set(clock "${CMAKE_MATCH_4} * 3600 + ${CMAKE_MATCH_5} * 60 + ${CMAKE_MATCH_6}")
  set(offset "${CMAKE_MATCH_7}(${CMAKE_MATCH_8} * 3600 + ${CMAKE_MATCH_9} * 60)")
  radval_days_since_1970(${year} ${month} ${day} days)
  # Local time less its offset from UTC is UTC. Leading zeros are no octal
  # in CMake's arithmetic.
  math(EXPR seconds "${days} * 86400 + ${clock} - ${offset}")
  set(${out} ${seconds} PARENT_SCOPE)
endfunction()
