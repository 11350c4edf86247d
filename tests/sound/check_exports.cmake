# Checks that the shared library defines exactly the fourteen exports of
# sonobox.h, the gain hook of sonobox_gains.h, the language hook of
# sonobox_language.h, and nothing else of its own. Run with
# -DLIBRARY=<path to libsonobox.so>; -DHOOKS=OFF for a build to the
# fourteen alone.
set(expected DmEnd DmLength DmMake DmPlay DmPos DmStart DmStop
             DsEnd DsMake DsPlay DsRelease DsStart DsStop DsVolume)
if(NOT DEFINED HOOKS OR HOOKS)
  list(APPEND expected SonoboxSetGains SonoboxSetLanguage)
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
