# SKARBOLT_SANITIZE builds every target with ASan and UBSan; a sanitizer
# report fails the test that triggered it.
if(SKARBOLT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# With the fuzzers on, every library is built with coverage so that the
# fuzzers see inside the readers they drive (clang only).
if(SKARBOLT_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Flags for libFuzzer targets (clang only).
function(skarbolt_fuzz_target name)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()
