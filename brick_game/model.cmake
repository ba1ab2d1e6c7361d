# The brick game's portable model and its native tests.
desk_model(brick_model SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/model/frames.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/ball.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/flow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/input.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/drawing.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/commands.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/messages.cpp)

if(DESK_HOST AND DESK_HAVE_GTEST)
  set(BRICK_NATIVE ${CMAKE_CURRENT_SOURCE_DIR}/tests/native)
  add_library(brick_recording_platform STATIC ${BRICK_NATIVE}/recording_platform.cpp)
  target_include_directories(brick_recording_platform PUBLIC ${BRICK_NATIVE})
  target_link_libraries(brick_recording_platform PUBLIC brick_model)

  desk_native_test(brick_model_tests SOURCES
    ${BRICK_NATIVE}/frames_test.cpp
    ${BRICK_NATIVE}/ball_test.cpp
    ${BRICK_NATIVE}/flow_test.cpp
    ${BRICK_NATIVE}/input_test.cpp
    ${BRICK_NATIVE}/commands_test.cpp
    ${BRICK_NATIVE}/game_test.cpp
    LIBS brick_recording_platform)
endif()

# Prints the model's cost of one play frame; run by hand, not a test.
if(DESK_HOST)
  add_executable(brick_play_frame_bench ${CMAKE_CURRENT_SOURCE_DIR}/bench/native/play_frame_bench.cpp)
  target_link_libraries(brick_play_frame_bench PRIVATE brick_model)
endif()
