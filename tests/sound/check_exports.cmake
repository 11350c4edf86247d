# Checks that the shared library defines exactly the fourteen exports of
# sonobox.h, the one gain hook of sonobox_gains.h, and nothing else of its
# own. Run with -DLIBRARY=<path to libsonobox.so>; -DGAIN_HOOK=OFF for a
# build to the fourteen alone.
set(expected DmEnd DmLength DmMake DmPlay DmPos DmStart DmStop
             DsEnd DsMake DsPlay DsRelease DsStart DsStop DsVolume)
if(NOT DEFINED GAIN_HOOK OR GAIN_HOOK)
  list(APPEND expected SonoboxSetGains)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/../DynamicNames.cmake)
dynamic_names("${LIBRARY}" --defined-only defined)
set(found "")
foreach(name IN LISTS defined)
  # Linker and runtime symbols are not ours.
  if(NOT name MATCHES "^(_init|_fini|_edata|_end|__bss_start|_DYNAMIC|_GLOBAL_OFFSET_TABLE_)$")
    list(APPEND found "${name}")
  endif()
endforeach()

list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exports differ\n  expected: ${expected}\n  found:    ${found}")
endif()
message(STATUS "exports: ${found}")
