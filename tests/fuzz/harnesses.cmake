# Fuzz harnesses: one source per reader of outside input (tests/fuzz/fuzz_NAME.cpp), each with a
# seed corpus (corpus/NAME) and the inputs that once crashed or hung it (crashes/NAME).
#
# The test fuzz.NAME runs every seed and reproducer through the harness once, so a fixed crash
# stays fixed: with VERIVIRE_FUZZ (clang) the harness links libFuzzer as fuzz_NAME (also used by
# tools/fuzz.sh), in other builds it is linked with a small replay main() as fuzz_NAME_replay.
set(VV_FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)
set(VV_FUZZ_HARNESSES xbase picture cfgstr script modfiles markup terminal csvtable persons
    modfiles_roundtrip)
set(VV_FUZZ_LIB_xbase vv_toolkit)
set(VV_FUZZ_LIB_picture vv_toolkit)
set(VV_FUZZ_LIB_cfgstr vv_toolkit)
set(VV_FUZZ_LIB_script vv_toolkit)
set(VV_FUZZ_LIB_modfiles vv_app)
set(VV_FUZZ_LIB_markup vv_app)
set(VV_FUZZ_LIB_terminal vv_toolkit)
set(VV_FUZZ_LIB_csvtable vv_app)
set(VV_FUZZ_LIB_persons vv_app)
set(VV_FUZZ_LIB_modfiles_roundtrip vv_app)

add_library(vv_fuzz_support STATIC ${VV_FUZZ_DIR}/fuzz_support.cpp)
target_link_libraries(vv_fuzz_support PUBLIC vv_toolkit)

add_custom_target(fuzz_all)
foreach(name ${VV_FUZZ_HARNESSES})
  set(lib ${VV_FUZZ_LIB_${name}})
  # A harness that never crashed has no reproducer folder (git keeps no empty folders).
  set(inputs ${VV_FUZZ_DIR}/corpus/${name})
  if(EXISTS ${VV_FUZZ_DIR}/crashes/${name})
    list(APPEND inputs ${VV_FUZZ_DIR}/crashes/${name})
  endif()
  if(VERIVIRE_FUZZ)
    add_executable(fuzz_${name} ${VV_FUZZ_DIR}/fuzz_${name}.cpp)
    target_link_libraries(fuzz_${name} PRIVATE vv_fuzz_support ${lib})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    add_dependencies(fuzz_all fuzz_${name})
    # -runs=0: every input of the folders is run once, nothing is mutated.
    add_test(NAME fuzz.${name}
             COMMAND fuzz_${name} -runs=0 -timeout=25 -close_fd_mask=1 ${inputs})
  else()
    add_executable(fuzz_${name}_replay ${VV_FUZZ_DIR}/fuzz_${name}.cpp ${VV_FUZZ_DIR}/replay_main.cpp)
    target_link_libraries(fuzz_${name}_replay PRIVATE vv_fuzz_support ${lib})
    add_dependencies(fuzz_all fuzz_${name}_replay)
    add_test(NAME fuzz.${name} COMMAND fuzz_${name}_replay ${inputs})
  endif()
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "UX_PLATFORM=headless;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
endforeach()
