# The Debian package: cpack -G DEB in the build dir makes build/vellox_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellox)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VELLOX_DEBIAN_REVISION})
set(CPACK_PACKAGE_CONTACT "${VELLOX_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "strip calculator docked to the edge of the screen")
# Lines well under 80 characters: they are shown indented in a terminal.
set(CPACK_PACKAGE_DESCRIPTION
    "Vellox is a calculator for the X11 desktop shaped as a borderless,
always-on-top bar as wide as the screen, docked to its top or bottom edge.
Type an expression, press Enter, and the result appears beside it. It hides
to the notification area and has a keypad window for entering numbers with
the mouse.
.
The package also has vellox-calc, which evaluates expressions from its
arguments or standard input on the same engine.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debian wants stripped binaries and control files with exact permissions.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The shared libraries (Qt 6, the C++ runtime) are found by dpkg-shlibdeps; the Japanese font the
# captions are drawn in and Qt's translations of its own texts are loaded at run time, so no
# library names them: they are added here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
# One package of everything, the sway rules in /etc among it, where dpkg keeps them as a
# configuration file that the user's edits survive an upgrade in.
set(CPACK_COMPONENTS_ALL Unspecified sway)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/conffiles)
include(CPack)
