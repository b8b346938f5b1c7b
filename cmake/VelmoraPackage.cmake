# `make package` (cpack -G DEB in the build folder): build/velmora_<version>_<arch>.deb,
# installed under /usr. Depends lists the libraries the program links
# (computed by dpkg-shlibdeps) and what it loads at run time: the GStreamer
# plug-ins that play the alarm and decode MP3, and the Qt Wayland plug-in for
# Wayland sessions. The package installs no maintainer scripts: removing or
# purging it never touches the users' settings in ~/.config/velmora.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Velmora developers <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "run one system action at the date and time you set")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velmora sounds an alarm, shuts the computer down, logs off, restarts,\n"
    "stands by, hibernates or ends a list of programs once, in the second\n"
    "you set, and shows a live countdown until then.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/velmora")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, qt6-wayland")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install step writes paths with the final prefix into the menu entry and
# the manual page, so it must run with /usr as its prefix (under DESTDIR).
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Packaging builds only what it installs, not the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
