# Build helpers shared by the four programs.
#
# Two kinds of build:
#  - host (Linux g++): the portable models and their native unit tests;
#  - Windows (MinGW-w64 cross build, or CMake on Windows): the programs, the
#    window layers and the tests that run under Wine or on Windows.

if(WIN32)
  set(DESK_WINDOWS ON)
  set(DESK_HOST OFF)
else()
  set(DESK_WINDOWS OFF)
  set(DESK_HOST ON)
endif()

set(DESK_ROOT ${CMAKE_CURRENT_SOURCE_DIR})
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Sources are UTF-8; the texts passed to the A functions must be Windows-1251.
if(MSVC)
  add_compile_options(/source-charset:utf-8 /execution-charset:windows-1251 /W4)
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
else()
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP1251
                      -Wall -Wextra)
endif()

# GoogleTest: the system package on the host; built from the Debian sources for
# the cross build; an installed package or FetchContent-free skip elsewhere.
set(DESK_HAVE_GTEST OFF)
if(BUILD_TESTING)
  if(DESK_HOST)
    find_package(GTest)
    if(GTest_FOUND)
      set(DESK_HAVE_GTEST ON)
    endif()
  else()
    set(DESK_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
        "GoogleTest sources for the Windows build")
    if(EXISTS ${DESK_GTEST_SOURCE_DIR}/CMakeLists.txt)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      add_subdirectory(${DESK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest
                       EXCLUDE_FROM_ALL)
      # GoogleTest's own sources are not ours to warn about or re-encode.
      foreach(t gtest gtest_main)
        target_compile_options(${t} PRIVATE -w -fexec-charset=UTF-8)
      endforeach()
      if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
      endif()
      set(DESK_HAVE_GTEST ON)
    else()
      find_package(GTest)
      if(GTest_FOUND)
        set(DESK_HAVE_GTEST ON)
      endif()
    endif()
  endif()
  if(NOT DESK_HAVE_GTEST)
    message(STATUS "GoogleTest not found: tests are not built")
  endif()
  include(GoogleTest)
endif()

# desk_model(<name> SOURCES ...): portable model library, built everywhere.
function(desk_model name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC desk_portable ${A_LIBS})
endfunction()

# desk_native_test(<name> SOURCES ... LIBS ...): model unit tests on the host.
function(desk_native_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT DESK_HOST OR NOT DESK_HAVE_GTEST)
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 600 LABELS native)
endfunction()

# A one-line English description of each program, for its version resource.
set(DESK_DESCRIPTION_plitoboy "Brick and ball game")
set(DESK_DESCRIPTION_polzun "Snake game")
set(DESK_DESCRIPTION_risovik "Small picture editor")
set(DESK_DESCRIPTION_dirvik "Small file browser")

# desk_use_resources(<target> <rc>...): compiles the resource scripts into
# the target. A script includes the headers and pictures beside it: they are
# on its include path, and a change to one of them compiles it again.
function(desk_use_resources target)
  foreach(rc ${ARGN})
    get_filename_component(rc ${rc} ABSOLUTE)
    get_filename_component(dir ${rc} DIRECTORY)
    file(GLOB inputs ${dir}/*.h ${dir}/*.ico ${dir}/*.cur ${dir}/*.bmp)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${inputs}")
    target_sources(${target} PRIVATE ${rc})
    target_include_directories(${target} PRIVATE ${dir})
  endforeach()
endfunction()

# desk_program(<name> SOURCES ... RESOURCES ... LIBS ...): a GUI-subsystem
# Windows program, with a version resource made from the project's version.
function(desk_program name)
  cmake_parse_arguments(A "" "" "SOURCES;RESOURCES;LIBS" ${ARGN})
  if(NOT DESK_WINDOWS)
    return()
  endif()
  set(DESK_PROGRAM ${name})
  set(DESK_DESCRIPTION "${DESK_DESCRIPTION_${name}}")
  configure_file(${DESK_ROOT}/cmake/version.rc.in
                 ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc @ONLY)
  add_executable(${name} WIN32 ${A_SOURCES})
  desk_use_resources(${name} ${A_RESOURCES})
  target_sources(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}_version.rc)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_property(GLOBAL APPEND PROPERTY DESK_PROGRAMS ${name})
endfunction()

# desk_win_library(<name> SOURCES ... LIBS ...): a window layer, linked into
# its program and into the Wine-side tests.
function(desk_win_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT DESK_WINDOWS)
    return()
  endif()
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC desk_win32 ${A_LIBS})
endfunction()

# desk_wine_test(<name> SOURCES ... RESOURCES ... LIBS ... [CODE_PAGES]): a
# GoogleTest program run under Wine (or natively on Windows). They share one
# display and the foreground window, so they run one at a time and each has a
# time limit. They compare texts as Windows-1251 bytes: Wine gets the Russian
# locale for them (scripts/wine-exec reads DESK_WINE_LOCALE).
#
# With CODE_PAGES the program runs three times, with the system's ANSI code
# page at 1251 (Russian locale), 1252 (C.UTF-8) and 65001 (a second build,
# <name>_utf8, whose manifest asks for UTF-8, as the Windows "UTF-8 for
# worldwide language support" option gives every program). DESK_EXPECT_ACP
# tells the program which one it should find, so a locale that did not take
# effect fails instead of passing.
function(desk_wine_test name)
  cmake_parse_arguments(A "CODE_PAGES" "" "SOURCES;RESOURCES;LIBS" ${ARGN})
  if(NOT DESK_WINDOWS OR NOT DESK_HAVE_GTEST)
    return()
  endif()
  set(exes ${name})
  if(A_CODE_PAGES)
    list(APPEND exes ${name}_utf8)
  endif()
  foreach(exe ${exes})
    add_executable(${exe} ${A_SOURCES})
    desk_use_resources(${exe} ${A_RESOURCES})
    target_link_libraries(${exe} PRIVATE ${A_LIBS} desk_wine_testing GTest::gtest_main)
  endforeach()
  if(NOT A_CODE_PAGES)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 90
                         PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE LABELS wine
                         ENVIRONMENT "DESK_WINE_LOCALE=ru_RU.UTF-8")
    return()
  endif()
  target_sources(${name}_utf8 PRIVATE ${DESK_ROOT}/platform/testing/utf8_code_page.rc)
  if(NOT CMAKE_CROSSCOMPILING)
    # On Windows the code page is the machine's own: each build runs once.
    add_test(NAME ${name} COMMAND ${name})
    add_test(NAME ${name}_utf8 COMMAND ${name}_utf8)
    set_tests_properties(${name} ${name}_utf8 PROPERTIES RUN_SERIAL TRUE LABELS wine)
    return()
  endif()
  set(emulator ${CMAKE_CROSSCOMPILING_EMULATOR})
  foreach(run "1251;${name};ru_RU.UTF-8" "1252;${name};C.UTF-8" "65001;${name}_utf8;C.UTF-8")
    list(GET run 0 cp)
    list(GET run 1 exe)
    list(GET run 2 locale)
    add_test(NAME ${name}.cp${cp} COMMAND ${emulator} $<TARGET_FILE:${exe}>)
    set_tests_properties(${name}.cp${cp} PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE LABELS wine
                         ENVIRONMENT "DESK_WINE_LOCALE=${locale};DESK_EXPECT_ACP=${cp}")
  endforeach()
endfunction()

# desk_codepage_test(<name> ...): desk_wine_test(<name> ... CODE_PAGES).
function(desk_codepage_test name)
  desk_wine_test(${name} ${ARGN} CODE_PAGES)
endfunction()

# desk_script_test(<name> SCRIPT file ARGS ...): an end-to-end script run on
# the Linux side (real program under Wine, X input through xdotool).
function(desk_script_test name)
  cmake_parse_arguments(A "" "SCRIPT" "ARGS" ${ARGN})
  if(NOT CMAKE_CROSSCOMPILING OR CMAKE_HOST_WIN32)
    return()
  endif()
  add_test(NAME ${name} COMMAND bash ${A_SCRIPT} ${A_ARGS})
  # The script reads xdotool's and ImageMagick's output untranslated, whatever
  # the caller's locale; the program it starts gets the Russian locale from
  # wine-exec, since the scripts check texts and names in code page 1251. It
  # keeps the runner's Wine prefix (scripts/wine-env.sh).
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE LABELS e2e
                       ENVIRONMENT "DESK_ROOT=${DESK_ROOT};LC_ALL=C.UTF-8;DESK_WINE_LOCALE=ru_RU.UTF-8;DESK_KEEP_WINE_SETTINGS=1")
endfunction()
