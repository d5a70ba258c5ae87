# Fails when two resources of one kind share a number in the resource ids
# header: the resource compiler keeps only one of them.
#   cmake -DHEADER=<resource.h> -P ResourceIds.cmake
file(STRINGS ${HEADER} lines REGEX "^#define (IDB|IDS|IDI|IDD)_[A-Z0-9_]+ +[0-9]+")
set(failed "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^#define ((IDB|IDS|IDI|IDD)_[A-Z0-9_]+) +([0-9]+)" _ "${line}")
  set(name ${CMAKE_MATCH_1})
  set(kind ${CMAKE_MATCH_2})
  set(value ${CMAKE_MATCH_3})
  if(DEFINED seen_${kind}_${value})
    string(APPEND failed "${name} and ${seen_${kind}_${value}} are both ${value}\n")
  else()
    set(seen_${kind}_${value} ${name})
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "resource ids used twice:\n${failed}")
endif()
