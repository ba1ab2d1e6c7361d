# Release packaging of the Windows build, with CMake's install rules and CPack:
#  - component `windows`: the four programs, the brick game's sounds and the
#    read-me in one folder: the ZIP and the NSIS installer (64-bit);
#  - component `deb`: the same programs and sounds under /usr/lib, launchers
#    that run them under Wine, menu entries and icons: the Debian package.
# Target `dist` (part of the default build) makes the packages in <build>/dist
# whenever a program, a sound or a packaging file changes. Target
# `install-desktop` installs launchers and menu entries for the current Linux
# user (~/.local) without a package.
if(NOT DESK_WINDOWS)
  return()
endif()
# cpack installs without building everything first: `dist` itself is part of
# the default build and runs cpack.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

get_property(desk_programs GLOBAL PROPERTY DESK_PROGRAMS)
file(GLOB desk_sounds ${DESK_ROOT}/brick_game/res/sounds/*.wav)
set(DESK_PACKAGE_NAME desk-quartet)
set(DESK_DIST_NAME "${DESK_PACKAGE_NAME}-${PROJECT_VERSION}-win64")
set(DESK_DIST_DIR "${CMAKE_BINARY_DIR}/dist")
# The programs' Russian names: the Windows Start-menu shortcuts. The Linux
# menu entries carry theirs in dist/linux/<program>.desktop.in.
set(DESK_TITLE_plitoboy "Плитобой")
set(DESK_TITLE_polzun "Ползун")
set(DESK_TITLE_risovik "Рисовик")
set(DESK_TITLE_dirvik "Дирвик")

# Windows: everything in the one folder the programs expect (the brick game
# finds its sounds in its current folder, which its shortcut sets).
foreach(p IN LISTS desk_programs)
  install(TARGETS ${p} RUNTIME DESTINATION . COMPONENT windows)
  list(APPEND desk_shortcuts ${p}.exe "${DESK_TITLE_${p}}")
endforeach()
install(FILES ${desk_sounds} ${DESK_ROOT}/dist/README.txt DESTINATION . COMPONENT windows)

# The Debian package's files are made on Linux only, with Unix tools.
set(deb_icons)
set(deb_generated)
if(CMAKE_HOST_UNIX)
  # Debian: programs and sounds in /usr/lib/desk-quartet, the games' launchers
  # in /usr/games and the others' in /usr/bin; per program a menu entry, a
  # software-centre entry (AppStream metainfo), icons of six sizes and a
  # manual page.
  set(deb_lib lib/${DESK_PACKAGE_NAME})
  set(deb_gen ${CMAKE_BINARY_DIR}/deb)
  set(DESK_MAN_SECTION_games 6)
  set(DESK_MAN_SECTION_bin 1)
  set(DESK_MAN_TITLE_games "Games")
  set(DESK_MAN_TITLE_bin "User Commands")
  # The release date of the changelog, so that the package is the same
  # whenever it is built (today's date when the changelog has none).
  string(TIMESTAMP desk_ymd "%Y%m%d" UTC)
  file(STRINGS ${DESK_ROOT}/CHANGELOG.md desk_release_line ENCODING UTF-8
       REGEX "^## ${PROJECT_VERSION} ")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DESK_ROOT}/CHANGELOG.md)
  if(desk_release_line MATCHES "([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])")
    set(desk_ymd "${CMAKE_MATCH_1}${CMAKE_MATCH_2}${CMAKE_MATCH_3}")
  endif()
  execute_process(COMMAND env LC_ALL=C date -u -d ${desk_ymd} "+%a, %d %b %Y 00:00:00 +0000"
                  OUTPUT_VARIABLE DESK_DEB_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
  string(REGEX REPLACE "(....)(..)(..)" "\\1-\\2-\\3" DESK_RELEASE_DATE ${desk_ymd})
  set(DESK_MAN_DATE ${DESK_RELEASE_DATE})
  foreach(p IN LISTS desk_programs)
    install(PROGRAMS $<TARGET_FILE:${p}> DESTINATION ${deb_lib} COMPONENT deb
            PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    if(p STREQUAL "plitoboy" OR p STREQUAL "polzun")
      set(launcher_dir games)
    else()
      set(launcher_dir bin)
    endif()
    set(desktop_in ${DESK_ROOT}/dist/linux/${p}.desktop.in)
    file(STRINGS ${desktop_in} DESK_NAME ENCODING UTF-8 REGEX "^Name=")
    file(STRINGS ${desktop_in} DESK_NAME_RU ENCODING UTF-8 REGEX "^Name\\[ru\\]=")
    string(REGEX REPLACE "^[^=]*=" "" DESK_NAME "${DESK_NAME}")
    string(REGEX REPLACE "^[^=]*=" "" DESK_NAME_RU "${DESK_NAME_RU}")
    set(DESK_PROGRAM ${p})
    string(TOUPPER ${p} DESK_PROGRAM_UPPER)
    string(TOLOWER "${DESK_DESCRIPTION_${p}}" DESK_DESCRIPTION_LOWER)
    set(DESK_PROGRAM_DIR /usr/${deb_lib})
    set(DESK_EXEC /usr/${launcher_dir}/${p})
    set(DESK_ICON ${p})
    configure_file(${DESK_ROOT}/dist/linux/launcher.in ${deb_gen}/${p} @ONLY)
    configure_file(${desktop_in} ${deb_gen}/${p}.desktop @ONLY)
    set(metainfo org.example.deskquartet.${p}.metainfo.xml)
    configure_file(${DESK_ROOT}/dist/linux/${p}.metainfo.xml.in ${deb_gen}/${metainfo} @ONLY)
    install(PROGRAMS ${deb_gen}/${p} DESTINATION ${launcher_dir} COMPONENT deb)
    install(FILES ${deb_gen}/${p}.desktop DESTINATION share/applications COMPONENT deb)
    install(FILES ${deb_gen}/${metainfo} DESTINATION share/metainfo COMPONENT deb)
    set(DESK_MAN_SECTION ${DESK_MAN_SECTION_${launcher_dir}})
    set(DESK_MAN_TITLE ${DESK_MAN_TITLE_${launcher_dir}})
    file(READ ${DESK_ROOT}/dist/linux/${p}.usage.man DESK_MAN_USAGE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 ${DESK_ROOT}/dist/linux/${p}.usage.man)
    string(STRIP "${DESK_MAN_USAGE}" DESK_MAN_USAGE)
    set(man ${deb_gen}/${p}.${DESK_MAN_SECTION})
    configure_file(${DESK_ROOT}/dist/linux/program.man.in ${man} @ONLY)
    add_custom_command(OUTPUT ${man}.gz COMMAND gzip -9nfk ${man} DEPENDS ${man} VERBATIM)
    list(APPEND deb_generated ${man}.gz)
    install(FILES ${man}.gz DESTINATION share/man/man${DESK_MAN_SECTION} COMPONENT deb)
  endforeach()
  install(FILES ${desk_sounds} DESTINATION ${deb_lib} COMPONENT deb)
  install(FILES ${DESK_ROOT}/dist/linux/copyright ${deb_gen}/changelog.gz
          DESTINATION share/doc/${DESK_PACKAGE_NAME} COMPONENT deb)

  # The menu icons come from the programs' own icon resources (or, for a
  # program without one, from dist/icons), in the hicolor theme's sizes.
  foreach(n 16 32 48 64 128 256)
    foreach(p IN LISTS desk_programs)
      list(APPEND deb_icons ${deb_gen}/icons/${n}x${n}/apps/${p}.png)
    endforeach()
  endforeach()
  add_custom_command(OUTPUT ${deb_icons}
    COMMAND bash ${DESK_ROOT}/scripts/make-icons.sh ${deb_gen}/icons
            ${CMAKE_BINARY_DIR}/bin ${desk_programs}
    DEPENDS ${desk_programs} ${DESK_ROOT}/scripts/make-icons.sh
    COMMENT "Taking the menu icons out of the programs" VERBATIM)
  install(DIRECTORY ${deb_gen}/icons/ DESTINATION share/icons/hicolor COMPONENT deb)
  configure_file(${DESK_ROOT}/dist/linux/changelog.in ${deb_gen}/changelog @ONLY)
  add_custom_command(OUTPUT ${deb_gen}/changelog.gz
    COMMAND gzip -9nfk ${deb_gen}/changelog
    DEPENDS ${deb_gen}/changelog VERBATIM)
  list(APPEND deb_generated ${deb_gen}/changelog.gz)
endif()

set(CPACK_PACKAGE_NAME ${DESK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR ${DESK_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "four small Windows programs: two games, an editor, a browser")
set(CPACK_PACKAGE_DESCRIPTION "plitoboy, a brick and ball game with sound; polzun, a snake game;
risovik, a small picture editor; dirvik, a small file browser. Windows
programs with Russian menus, run under Wine with a prefix of each user's own.")
set(CPACK_PACKAGE_FILE_NAME ${DESK_DIST_NAME})
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${DESK_PACKAGE_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${DESK_PACKAGE_NAME})
set(CPACK_OUTPUT_FILE_PREFIX ${DESK_DIST_DIR})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_STRIP_FILES OFF)
set(CPACK_NSIS_MENU_LINKS ${desk_shortcuts})
# NSIS: a 64-bit Unicode installer into Program Files, shortcuts in the
# Start menu, no licence page.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "desk-quartet ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "desk-quartet")
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_INSTALLED_ICON_NAME "plitoboy.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The vendor key under Software holds only this program's key: remove it whole.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "DeleteRegKey SHCTX \\\"Software\\\\${DESK_PACKAGE_NAME}\\\"")
# Debian.
set(CPACK_DEBIAN_PACKAGE_NAME ${DESK_PACKAGE_NAME})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "desk-quartet developers <desk-quartet@example.org>")
# wine64 runs the 64-bit programs, under the user's own locale; notify-send
# tells a user who started one from the menu that the first start prepares
# Wine.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "wine, wine64, libnotify-bin")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackOptions.cmake)
configure_file(${DESK_ROOT}/cmake/CPackOptions.cmake.in ${CMAKE_BINARY_DIR}/CPackOptions.cmake @ONLY)
include(CPack)

# Which packages this machine can make: the ZIP always, the installer with
# makensis, the Debian package on Linux with dpkg-deb.
find_program(DESK_MAKENSIS makensis)
find_program(DESK_DPKG_DEB dpkg-deb)
set(desk_generators ZIP)
set(desk_packages ${DESK_DIST_DIR}/${DESK_DIST_NAME}.zip)
if(DESK_MAKENSIS)
  list(APPEND desk_generators NSIS)
  list(APPEND desk_packages ${DESK_DIST_DIR}/${DESK_DIST_NAME}.exe)
endif()
set(DESK_DEB_FILE ${DESK_DIST_DIR}/${DESK_PACKAGE_NAME}_${PROJECT_VERSION}_amd64.deb)
if(DESK_DPKG_DEB AND CMAKE_HOST_UNIX)
  list(APPEND desk_generators DEB)
  list(APPEND desk_packages ${DESK_DEB_FILE})
endif()
file(GLOB desk_packaging_inputs ${DESK_ROOT}/dist/linux/* ${DESK_ROOT}/dist/README.txt
     ${DESK_ROOT}/cmake/CPackOptions.cmake.in)
add_custom_command(OUTPUT ${desk_packages}
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
          ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
          -G "${desk_generators}"
  DEPENDS ${desk_programs} ${desk_sounds} ${desk_packaging_inputs} ${deb_icons}
          ${deb_generated} ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Packing ${desk_generators} into dist/"
  VERBATIM)
file(MAKE_DIRECTORY ${DESK_DIST_DIR})
add_custom_target(dist ALL DEPENDS ${desk_packages})

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_HOST_WIN32)
  add_custom_target(install-desktop
    COMMAND bash ${DESK_ROOT}/scripts/install-desktop.sh ${CMAKE_BINARY_DIR}/bin
    DEPENDS ${desk_programs}
    COMMENT "Installing launchers and menu entries into ~/.local"
    VERBATIM)

  # The release checks need all four programs; while one is missing (during
  # development) they are left out rather than failing.
  list(LENGTH desk_programs desk_program_count)
  if(BUILD_TESTING AND desk_program_count EQUAL 4)
    add_test(NAME release_zip_contents
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-dist.sh
                     ${DESK_DIST_DIR}/${DESK_DIST_NAME}.zip)
    add_test(NAME release_exe_imports
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-imports.sh
                     ${CMAKE_BINARY_DIR}/bin ${desk_programs})
    add_test(NAME release_desktop_install
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-install.sh ${CMAKE_BINARY_DIR}/bin)
    add_test(NAME release_version_resources
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-version.sh
                     ${CMAKE_BINARY_DIR}/bin ${PROJECT_VERSION} ${DESK_ROOT} ${desk_programs})
    add_test(NAME release_deb_package
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-deb.sh ${DESK_DEB_FILE}
                     ${PROJECT_VERSION})
    set_tests_properties(release_zip_contents release_exe_imports
                         release_desktop_install release_version_resources
                         release_deb_package
                         PROPERTIES TIMEOUT 120 LABELS release)
    add_test(NAME release_nsis_install
             COMMAND bash ${DESK_ROOT}/scripts/tests/check-nsis.sh
                     ${DESK_DIST_DIR}/${DESK_DIST_NAME}.exe ${PROJECT_VERSION})
    set_tests_properties(release_nsis_install PROPERTIES TIMEOUT 180 RUN_SERIAL TRUE
                         LABELS release)
  endif()
endif()
