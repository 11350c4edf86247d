# Where `cmake --install` puts things, in the Debian games layout. All are
# relative to the prefix, so the installed tree can move as a whole: the
# program finds its library (RUNPATH) and its data relative to itself.
include(GNUInstallDirs)
set(SKARBOLT_INSTALL_BINDIR "games" CACHE STRING "Folder of the program, under the prefix")
set(SKARBOLT_INSTALL_LIBDIR "${CMAKE_INSTALL_LIBDIR}/games/skarbolt98" CACHE STRING
    "Folder of the private sound library, under the prefix")
set(SKARBOLT_INSTALL_DATADIR "${CMAKE_INSTALL_DATAROOTDIR}/games/skarbolt98" CACHE STRING
    "Folder of the stage maps, effects and tunes, under the prefix")

# The ways from the program's folder to the library and the data.
file(RELATIVE_PATH SKARBOLT_LIB_FROM_PROGRAM "/root/${SKARBOLT_INSTALL_BINDIR}" "/root/${SKARBOLT_INSTALL_LIBDIR}")
file(RELATIVE_PATH SKARBOLT_DATA_FROM_PROGRAM "/root/${SKARBOLT_INSTALL_BINDIR}" "/root/${SKARBOLT_INSTALL_DATADIR}")
