# The setup script fuzzer: built by clang with libFuzzer and the sanitizers, run for a bounded
# time as a test over a seed corpus that includes the sample distribution's SETUP.INF.
find_program(MEZURA_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(NOT MEZURA_CLANGXX)
  message(STATUS "No clang++: the setup script fuzzer is not built")
  return()
endif()

set(script_dir ${PROJECT_SOURCE_DIR}/setup/script)
set(fuzz_sources
  ${CMAKE_CURRENT_LIST_DIR}/setup_script_fuzz.cpp
  ${script_dir}/setup_script.cpp
  ${script_dir}/trim_blanks.cpp
  ${script_dir}/parse_setup_script.cpp)
set(fuzz_dir ${CMAKE_BINARY_DIR}/tests/fuzz/setup_script)
set(fuzzer ${fuzz_dir}/setup_script_fuzz)
add_custom_command(OUTPUT ${fuzzer}
  COMMAND ${MEZURA_CLANGXX} -std=c++17 -g -O1 ${MEZURA_WARNINGS}
          -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
          -I${PROJECT_SOURCE_DIR} ${fuzz_sources} -o ${fuzzer}
  DEPENDS ${fuzz_sources} ${script_dir}/setup_script.h
  COMMENT "Building the setup script fuzzer with clang"
  VERBATIM)
add_custom_target(setup_script_fuzz ALL DEPENDS ${fuzzer})

# Seeds are copied into the build tree: libFuzzer adds what it finds to the first corpus
# folder, which must not be the sources.
file(GLOB fuzz_seeds CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/seeds/*.inf)
foreach(seed ${fuzz_seeds} ${PROJECT_SOURCE_DIR}/setup/SETUP.INF)
  get_filename_component(name ${seed} NAME)
  configure_file(${seed} ${fuzz_dir}/seeds/${name} COPYONLY)
endforeach()
file(MAKE_DIRECTORY ${fuzz_dir}/corpus ${fuzz_dir}/artifacts)

add_test(NAME setup_script_fuzz
  COMMAND ${fuzzer} -max_total_time=20 -runs=5000000 -timeout=5 -max_len=4096
          -dict=${CMAKE_CURRENT_LIST_DIR}/setup_inf.dict -print_final_stats=1
          -artifact_prefix=${fuzz_dir}/artifacts/ ${fuzz_dir}/corpus ${fuzz_dir}/seeds
  WORKING_DIRECTORY ${fuzz_dir})
set_tests_properties(setup_script_fuzz PROPERTIES TIMEOUT 120)
