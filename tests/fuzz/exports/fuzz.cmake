# The export fuzzer: the add-in, the emulated Excel and the fuzzer built by clang with
# libFuzzer and the sanitizers, run for a bounded time as a test over a seed corpus.
#
# g++'s and clang's ASan runtimes do not mix, so nothing of the g++ build is linked in: three
# clang commands build the host's callback library, the add-in module and the fuzzer program
# from the very sources of the targets xlcall32, mezura_core, mezura_addin and xlhost_core (read
# from those targets, so a new source file reaches the fuzzer too), side by side in one
# folder. The fuzzer loads the add-in there through the host's loader, as the tests do; only
# the program carries the sanitizer runtimes, and the two libraries take them from it.
find_program(MEZURA_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(NOT MEZURA_CLANGXX)
  message(STATUS "No clang++: the export fuzzer is not built")
  return()
endif()

# The C++ sources of targets, as absolute paths.
function(mezura_target_sources out)
  set(sources "")
  foreach(target ${ARGN})
    get_target_property(listed ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    foreach(source ${listed})
      if(source MATCHES "\\.cpp$")
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
        list(APPEND sources ${source})
      endif()
    endforeach()
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

mezura_target_sources(export_fuzz_callback xlcall32)
mezura_target_sources(export_fuzz_addin mezura_core mezura_addin)
mezura_target_sources(export_fuzz_host xlhost_core)
set(export_fuzz_own ${CMAKE_CURRENT_LIST_DIR}/export_fuzz.cpp ${CMAKE_CURRENT_LIST_DIR}/record_decoder.cpp)
file(GLOB_RECURSE export_fuzz_headers CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/xlapi/*.h ${PROJECT_SOURCE_DIR}/addin/*.h ${PROJECT_SOURCE_DIR}/addin/*.inc
     ${PROJECT_SOURCE_DIR}/xlhost/*.h)

set(fuzz_dir ${CMAKE_BINARY_DIR}/tests/fuzz/exports)
set(callback ${fuzz_dir}/libxlcall32.so)
set(addin ${fuzz_dir}/MEZURA32.so)
set(fuzzer ${fuzz_dir}/addin_export_fuzz)
set(flags -std=c++17 -g -O1 ${MEZURA_WARNINGS} -fno-sanitize-recover=all
          -I${PROJECT_SOURCE_DIR} -I${PROJECT_SOURCE_DIR}/xlapi -I${PROJECT_SOURCE_DIR}/addin
          -I${PROJECT_SOURCE_DIR}/addin/host -I${PROJECT_SOURCE_DIR}/xlhost)
# The libraries are instrumented for coverage but leave libFuzzer and the runtimes to the program.
set(library_flags ${flags} -fPIC -shared -fvisibility=hidden -fsanitize=fuzzer-no-link,address,undefined)

add_custom_command(OUTPUT ${callback}
  COMMAND ${MEZURA_CLANGXX} ${library_flags} -Wl,-soname,libxlcall32.so ${export_fuzz_callback} -o ${callback}
  DEPENDS ${export_fuzz_callback} ${export_fuzz_headers}
  COMMENT "Building the emulated host's callback library for the export fuzzer with clang"
  VERBATIM)
add_custom_command(OUTPUT ${addin}
  COMMAND ${MEZURA_CLANGXX} ${library_flags} ${export_fuzz_addin} ${callback} -ldl -o ${addin}
  DEPENDS ${export_fuzz_addin} ${export_fuzz_headers} ${callback}
  COMMENT "Building the add-in for the export fuzzer with clang"
  VERBATIM)
add_custom_command(OUTPUT ${fuzzer}
  COMMAND ${MEZURA_CLANGXX} ${flags} -fsanitize=fuzzer,address,undefined
          ${export_fuzz_own} ${export_fuzz_host} ${callback} -ldl -pthread -Wl,-rpath,${fuzz_dir}
          -Wl,--export-dynamic-symbol=MdCallBack12 -o ${fuzzer}
  DEPENDS ${export_fuzz_own} ${export_fuzz_host} ${export_fuzz_headers} ${CMAKE_CURRENT_LIST_DIR}/record_decoder.h
          ${callback}
  COMMENT "Building the export fuzzer with clang"
  VERBATIM)
add_custom_target(addin_export_fuzz ALL DEPENDS ${fuzzer} ${addin})

# Seeds are copied into the build tree: libFuzzer adds what it finds to the first corpus
# folder, which must not be the sources. Crashes found and fixed stay among the seeds.
file(GLOB export_fuzz_seeds CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/seeds/*)
foreach(seed ${export_fuzz_seeds})
  get_filename_component(name ${seed} NAME)
  configure_file(${seed} ${fuzz_dir}/seeds/${name} COPYONLY)
endforeach()
file(MAKE_DIRECTORY ${fuzz_dir}/corpus ${fuzz_dir}/artifacts)

add_test(NAME addin_export_fuzz
  COMMAND ${fuzzer} -max_total_time=20 -runs=5000000 -timeout=5 -max_len=4096 -print_final_stats=1
          -artifact_prefix=${fuzz_dir}/artifacts/ ${fuzz_dir}/corpus ${fuzz_dir}/seeds
  WORKING_DIRECTORY ${fuzz_dir})
set_tests_properties(addin_export_fuzz PROPERTIES TIMEOUT 120)
