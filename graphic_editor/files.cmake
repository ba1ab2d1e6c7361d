# Bitmap files and metafile recordings of the picture editor: the portable
# .bmp writer and recording check join the model, the Win32 file, dialog and
# metafile code joins the window layer; their tests and benchmark are
# declared here.
set(_files_dir ${CMAKE_CURRENT_LIST_DIR})

target_sources(risovik_model PRIVATE ${_files_dir}/model/bitmap_file.cpp
                                     ${_files_dir}/model/bitmap_reader.cpp
                                     ${_files_dir}/model/recording_file.cpp)

desk_native_test(risovik_files_native_tests
                 SOURCES ${_files_dir}/tests/bitmap_file_test.cpp
                         ${_files_dir}/tests/bitmap_reader_test.cpp
                         ${_files_dir}/tests/recording_file_test.cpp
                 LIBS risovik_model)
if(TARGET risovik_files_native_tests)
  target_compile_definitions(risovik_files_native_tests PRIVATE
                             RISOVIK_CORPUS_DIR="${_files_dir}/tests/corpus")
endif()

if(DESK_WINDOWS)
  target_sources(risovik_window PRIVATE ${_files_dir}/win32/bitmap_io.cpp
                                        ${_files_dir}/win32/recordings.cpp
                                        ${_files_dir}/win32/file_commands.cpp)

  # The corpus of damaged files is read in place; under Wine z: is the root.
  if(CMAKE_CROSSCOMPILING)
    set(_corpus_dir "Z:${_files_dir}/tests/corpus")
  else()
    set(_corpus_dir "${_files_dir}/tests/corpus")
  endif()

  desk_wine_test(risovik_files_wine_tests
                 SOURCES ${_files_dir}/tests/bitmap_files_wine_test.cpp
                         ${_files_dir}/tests/corpus_files_wine_test.cpp
                         ${_files_dir}/tests/recording_files_wine_test.cpp
                         ${_files_dir}/tests/files_test_support.cpp
                         ${RISOVIK_RESOURCES}
                 LIBS risovik_window)
  if(TARGET risovik_files_wine_tests)
    target_compile_definitions(risovik_files_wine_tests PRIVATE
                               RISOVIK_CORPUS_DIR="${_corpus_dir}")
  endif()

  desk_script_test(risovik_e2e_files SCRIPT ${_files_dir}/tests/e2e_files.sh
                   ARGS $<TARGET_FILE:risovik>)

  # Timings of save, open and recordings, printed; run by hand under Wine.
  add_executable(risovik_files_bench ${_files_dir}/bench/files_bench.cpp)
  target_link_libraries(risovik_files_bench PRIVATE risovik_window)
endif()

# Fuzzing of the .bmp reader and the slot check. With clang's libFuzzer the
# targets are built as fuzzers, and the test runs each over the corpus plus a
# bounded number of generated inputs; a plain driver replays the corpus and
# seeded mutations of it under the host build's sanitizers either way.
if(DESK_HOST AND BUILD_TESTING)
  set(_fuzz_corpus ${_files_dir}/tests/corpus)
  set(_fuzz_bitmap_sources ${_files_dir}/tests/fuzz/bitmap_fuzz.cpp
                           ${_files_dir}/model/bitmap_reader.cpp)
  set(_fuzz_recording_sources ${_files_dir}/tests/fuzz/recording_fuzz.cpp
                              ${_files_dir}/model/recording_file.cpp)
  find_program(DESK_CLANGXX NAMES clang++)
  set(_libfuzzer OFF)
  if(DESK_CLANGXX)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe.cpp
         "#include <cstddef>\n#include <cstdint>\nextern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
    execute_process(COMMAND ${DESK_CLANGXX} -fsanitize=fuzzer ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe.cpp
                            -o ${CMAKE_CURRENT_BINARY_DIR}/fuzz_probe
                    RESULT_VARIABLE _probe OUTPUT_QUIET ERROR_QUIET)
    if(_probe EQUAL 0)
      set(_libfuzzer ON)
    endif()
  endif()
  foreach(kind bitmap recording)
    add_executable(risovik_${kind}_replay ${_files_dir}/tests/fuzz/replay.cpp
                                          ${_fuzz_${kind}_sources})
    target_include_directories(risovik_${kind}_replay PRIVATE ${_files_dir})
    add_test(NAME risovik_${kind}_replay
             COMMAND risovik_${kind}_replay --generated 20000 ${_fuzz_corpus})
    set_tests_properties(risovik_${kind}_replay PROPERTIES TIMEOUT 300 LABELS native)
    if(_libfuzzer)
      set(_fuzzer ${CMAKE_CURRENT_BINARY_DIR}/risovik_${kind}_fuzzer)
      add_custom_command(OUTPUT ${_fuzzer}
        COMMAND ${DESK_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
                -fno-sanitize-recover=all -I${_files_dir} ${_fuzz_${kind}_sources} -o ${_fuzzer}
        DEPENDS ${_fuzz_${kind}_sources} ${_files_dir}/model/bitmap_reader.h
                ${_files_dir}/model/recording_file.h
        COMMENT "libFuzzer target risovik_${kind}_fuzzer")
      add_custom_target(risovik_${kind}_fuzzer ALL DEPENDS ${_fuzzer})
      # New inputs go to a scratch folder, never into the committed corpus.
      set(_scratch ${CMAKE_CURRENT_BINARY_DIR}/fuzz_${kind}_scratch)
      add_test(NAME risovik_${kind}_fuzz
               COMMAND sh -c "rm -rf '${_scratch}' && mkdir -p '${_scratch}' && exec '${_fuzzer}' -runs=30000 -max_total_time=10 -timeout=5 -rss_limit_mb=2048 '${_scratch}' '${_fuzz_corpus}'")
      set_tests_properties(risovik_${kind}_fuzz PROPERTIES TIMEOUT 300 LABELS native)
    endif()
  endforeach()
endif()
