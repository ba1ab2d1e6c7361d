# The brick game's portable model and its native tests.
desk_model(brick_model SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/model/frames.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/ball.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/flow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/input.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/drawing.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/model/commands.cpp)
