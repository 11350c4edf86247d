# Of the names the program imports, those the sound library defines must all
# be among its fourteen exports, so that the program loads against any build
# of the library to its contract. Run with -DPROGRAM=<skarbolt>
# -DLIBRARY=<libsonobox.so>.
cmake_minimum_required(VERSION 3.25)

set(fourteen DmEnd DmLength DmMake DmPlay DmPos DmStart DmStop
             DsEnd DsMake DsPlay DsRelease DsStart DsStop DsVolume)

include(${CMAKE_CURRENT_LIST_DIR}/../DynamicNames.cmake)
dynamic_names("${PROGRAM}" --undefined-only imported)
dynamic_names("${LIBRARY}" --defined-only defined)
set(from_library "")
foreach(name IN LISTS imported)
  if(name IN_LIST defined)
    list(APPEND from_library "${name}")
  endif()
endforeach()
if(NOT from_library)
  message(FATAL_ERROR "the program imports nothing from ${LIBRARY}")
endif()
foreach(name IN LISTS from_library)
  if(NOT name IN_LIST fourteen)
    message(FATAL_ERROR "the program imports ${name}, which is not one of the fourteen exports")
  endif()
endforeach()
list(SORT from_library)
message(STATUS "imported from the library: ${from_library}")
