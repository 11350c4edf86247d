# Checks that the shared library defines exactly the fourteen exports of
# sonobox.h, the one gain hook of sonobox_gains.h, and nothing else of its
# own. Run with -DLIBRARY=<path to libsonobox.so>.
set(expected DmEnd DmLength DmMake DmPlay DmPos DmStart DmStop
             DsEnd DsMake DsPlay DsRelease DsStart DsStop DsVolume
             SonoboxSetGains)

execute_process(COMMAND nm -D --defined-only "${LIBRARY}"
  OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

string(REPLACE "\n" ";" lines "${listing}")
set(found "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] +([^ ]+)$")
    set(name "${CMAKE_MATCH_1}")
    # Linker and runtime symbols are not ours.
    if(NOT name MATCHES "^(_init|_fini|_edata|_end|__bss_start|_DYNAMIC|_GLOBAL_OFFSET_TABLE_)$")
      list(APPEND found "${name}")
    endif()
  endif()
endforeach()

list(SORT found)
list(SORT expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "exports differ\n  expected: ${expected}\n  found:    ${found}")
endif()
message(STATUS "exports: ${found}")
