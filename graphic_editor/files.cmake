# Bitmap files and metafile recordings of the picture editor: the portable
# .bmp writer joins the model, the Win32 file, dialog and metafile code joins
# the window layer; their tests and benchmark are declared here.
set(_files_dir ${CMAKE_CURRENT_LIST_DIR})

target_sources(risovik_model PRIVATE ${_files_dir}/model/bitmap_file.cpp)

desk_native_test(risovik_files_native_tests
                 SOURCES ${_files_dir}/tests/bitmap_file_test.cpp
                 LIBS risovik_model)
