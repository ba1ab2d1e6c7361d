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
