# The brick game's window layer, its resources and sound files, the program,
# the Wine-side tests, the end-to-end scripts and the benchmark.
if(NOT DESK_WINDOWS OR NOT TARGET brick_model)
  return()
endif()

set(BRICK_DIR ${CMAKE_CURRENT_SOURCE_DIR})
set(BRICK_RC ${BRICK_DIR}/res/plitoboy.rc)
set_source_files_properties(${BRICK_RC} PROPERTIES OBJECT_DEPENDS
  "${BRICK_DIR}/res/resource_ids.h;${BRICK_DIR}/res/game.ico;${BRICK_DIR}/res/life.ico;${BRICK_DIR}/res/pointer.cur;${BRICK_DIR}/res/logo.bmp")

desk_win_library(brick_window SOURCES
  ${BRICK_DIR}/win32/win32_platform.cpp
  ${BRICK_DIR}/win32/game_window.cpp
  LIBS brick_model)

desk_program(plitoboy SOURCES ${BRICK_DIR}/win32/winmain.cpp ${BRICK_RC}
             LIBS brick_window)
target_include_directories(plitoboy PRIVATE ${BRICK_DIR}/res)

# The sound cues are found by plain names in the program's folder.
set(BRICK_SOUNDS play round 1 2 3 pause Kubik excelent Doska Stena gameover
    Congrat Applauds Bye exit Stupid pp Hop Yeahbaby)
list(TRANSFORM BRICK_SOUNDS PREPEND ${BRICK_DIR}/res/sounds/)
list(TRANSFORM BRICK_SOUNDS APPEND .wav)
add_custom_command(TARGET plitoboy POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${BRICK_SOUNDS} $<TARGET_FILE_DIR:plitoboy>
  COMMENT "Copying the brick game's sound cues next to plitoboy.exe")

if(DESK_HAVE_GTEST)
  desk_wine_test(brick_wine_tests SOURCES
    ${BRICK_DIR}/tests/wine/game_fixture.cpp
    ${BRICK_DIR}/tests/wine/window_test.cpp
    ${BRICK_DIR}/tests/wine/menu_test.cpp
    ${BRICK_DIR}/tests/wine/dialog_test.cpp
    ${BRICK_DIR}/tests/wine/paint_test.cpp
    ${BRICK_DIR}/tests/wine/platform_test.cpp
    ${BRICK_RC}
    LIBS brick_window)
  if(TARGET brick_wine_tests)
    target_include_directories(brick_wine_tests PRIVATE ${BRICK_DIR}/res)
    # The tests look at the sound files that the program's build copies.
    add_dependencies(brick_wine_tests plitoboy)
  endif()
  # The title and the banners under code pages 1251, 1252 and 65001.
  desk_codepage_test(brick_codepage_tests SOURCES ${BRICK_DIR}/tests/wine/codepage_test.cpp
                     ${BRICK_DIR}/tests/wine/game_fixture.cpp ${BRICK_RC} LIBS brick_window)
  foreach(exe brick_codepage_tests brick_codepage_tests_utf8)
    if(TARGET ${exe})
      target_include_directories(${exe} PRIVATE ${BRICK_DIR}/res)
    endif()
  endforeach()
endif()

foreach(script play menu)
  desk_script_test(brick_e2e_${script} SCRIPT ${BRICK_DIR}/tests/e2e/${script}.sh
                   ARGS $<TARGET_FILE:plitoboy>)
endforeach()

# Run by hand under Wine: scripts/wine-exec build/.../bin/brick_frame_bench.exe
add_executable(brick_frame_bench ${BRICK_DIR}/bench/win/frame_bench.cpp ${BRICK_RC})
target_include_directories(brick_frame_bench PRIVATE ${BRICK_DIR}/res)
target_link_libraries(brick_frame_bench PRIVATE brick_window)
