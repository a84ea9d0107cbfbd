# The Debian package, made by `cpack -G DEB` (scripts/package): the installed files of
# CorvaneInstall.cmake under /usr. Library dependencies are read from the binaries by
# dpkg-shlibdeps; what Qt loads as plugins is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvane developers <developers@corvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "controller for HDMI matrix switchers and video-wall processors")
# Wrapped as Debian's control file wants it; an empty line starts a paragraph.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Corvane controls an HDMI video matrix switcher and video-wall processor\n"
    "over TCP. An operator logs in, routes inputs to outputs for video, audio\n"
    "and infrared by drag and drop, lays out windows on a video wall, keeps\n"
    "plans, sets port properties, uploads captions, OSD images and EDID, and\n"
    "manages users and their rights.\n"
    "\n"
    "The package also holds corvane-devicesim, a simulator of the device on\n"
    "the loopback interface for trying Corvane without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The project database's SQLite driver is a plugin, which dpkg-shlibdeps cannot see. The
# Chinese texts want a font that has them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
include(CPack)
