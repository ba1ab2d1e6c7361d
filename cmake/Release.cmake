# Release packaging of the Windows build:
#  - target `dist` (part of the default build): a zip with the four programs,
#    the brick game's sounds and a read-me, in <build>/dist/;
#  - target `install-desktop`: launchers, menu entries and icons for the
#    current Linux user (~/.local), running the programs under Wine.
if(NOT DESK_WINDOWS)
  return()
endif()

get_property(desk_programs GLOBAL PROPERTY DESK_PROGRAMS)
set(DESK_DIST_NAME "desk-quartet-${PROJECT_VERSION}-win64")
set(DESK_DIST_ZIP "${CMAKE_BINARY_DIR}/dist/${DESK_DIST_NAME}.zip")

add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND}
          -DBIN_DIR=${CMAKE_BINARY_DIR}/bin
          -DSTAGE_DIR=${CMAKE_BINARY_DIR}/dist/${DESK_DIST_NAME}
          -DZIP=${DESK_DIST_ZIP}
          -DREADME=${DESK_ROOT}/dist/README.txt
          "-DPROGRAMS=${desk_programs}"
          -P ${DESK_ROOT}/cmake/MakeDist.cmake
  COMMENT "Packing ${DESK_DIST_NAME}.zip"
  VERBATIM)
if(desk_programs)
  add_dependencies(dist ${desk_programs})
endif()

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_HOST_WIN32)
  add_custom_target(install-desktop
    COMMAND bash ${DESK_ROOT}/scripts/install-desktop.sh ${CMAKE_BINARY_DIR}/bin
    DEPENDS dist
    COMMENT "Installing launchers and menu entries into ~/.local"
    VERBATIM)

  # The release checks need all four programs; while one is missing (during
  # development) they are left out rather than failing.
  list(LENGTH desk_programs desk_program_count)
  if(BUILD_TESTING AND desk_program_count EQUAL 4)
    add_test(NAME release_zip_contents
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-dist.sh ${DESK_DIST_ZIP})
    add_test(NAME release_exe_imports
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-imports.sh
                     ${CMAKE_BINARY_DIR}/bin ${desk_programs})
    add_test(NAME release_desktop_install
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-install.sh ${CMAKE_BINARY_DIR}/bin)
    add_test(NAME release_version_resources
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-version.sh
                     ${CMAKE_BINARY_DIR}/bin ${PROJECT_VERSION} ${DESK_ROOT} ${desk_programs})
    set_tests_properties(release_zip_contents release_exe_imports
                         release_desktop_install release_version_resources
                         PROPERTIES TIMEOUT 60 LABELS release)
  endif()
endif()
