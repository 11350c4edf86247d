# Install rules: program, library, data, desktop entry, icons, metainfo,
# manual page and package documents; then the .deb (cpack -G DEB).
set(SKARBOLT_ID org.example.Skarbolt98)

install(TARGETS skarbolt RUNTIME DESTINATION ${SKARBOLT_INSTALL_BINDIR})
install(TARGETS sonobox LIBRARY DESTINATION ${SKARBOLT_INSTALL_LIBDIR} NAMELINK_SKIP)
# The library looks for its probe program in its own folder.
install(TARGETS sonobox_probe RUNTIME DESTINATION ${SKARBOLT_INSTALL_LIBDIR})
# The player's high-score file is never shipped: it lives in the per-user folder.
install(DIRECTORY gamedata/ DESTINATION ${SKARBOLT_INSTALL_DATADIR}
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
        PATTERN Hi-Score.dat EXCLUDE)

# The desktop entry names the program by its full path, which is known only
# when installing (cmake --install --prefix, CPack).
set(desktop_in ${PROJECT_SOURCE_DIR}/desktop/${SKARBOLT_ID}.desktop.in)
set(desktop_out ${CMAKE_CURRENT_BINARY_DIR}/${SKARBOLT_ID}.desktop)
install(CODE "
  set(SKARBOLT_PROGRAM_PATH \"\${CMAKE_INSTALL_PREFIX}/${SKARBOLT_INSTALL_BINDIR}/skarbolt\")
  configure_file(\"${desktop_in}\" \"${desktop_out}\" @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATAROOTDIR}/applications\"
       TYPE FILE FILES \"${desktop_out}\")")
install(FILES desktop/${SKARBOLT_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
  install(FILES desktop/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${SKARBOLT_ID}.png)
endforeach()

# Manual pages (English, Japanese) and changelog compressed as Debian wants
# them (no time stamp).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/skarbolt98)
foreach(pair "docs/skarbolt.6;skarbolt.6.gz" "docs/skarbolt.ja.6;skarbolt.ja.6.gz" "packaging/changelog;changelog.gz")
  list(GET pair 0 source)
  list(GET pair 1 packed)
  add_custom_command(OUTPUT ${packed}
    COMMAND ${GZIP_PROGRAM} -9nc ${PROJECT_SOURCE_DIR}/${source} > ${packed}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND packed_docs ${CMAKE_CURRENT_BINARY_DIR}/${packed})
endforeach()
add_custom_target(packed_docs ALL DEPENDS ${packed_docs})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/skarbolt.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/skarbolt.ja.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man6 RENAME skarbolt.6.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz packaging/copyright DESTINATION ${doc_dir})

# The .deb: shared-library dependencies from dpkg-shlibdeps, plus what is
# opened by name at run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skarbolt98)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Skarbolt 98 Team <team@skarbolt98.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "horizontally scrolling shooting game in late-1990s style")
set(CPACK_PACKAGE_DESCRIPTION "Steer a small jet with the mouse over a scrolling landscape through seven
stages and shoot down the enemy aircraft, which fly straight, zigzag and
wave paths and fire back. Music plays from MIDI files through a General
MIDI SoundFont, effects from WAV files.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://skarbolt98.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, timgm6mb-soundfont | sf3-soundfont-gm | sf2-soundfont-gm")
# Qt's own texts (standard buttons, the edit box's menu) in Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
