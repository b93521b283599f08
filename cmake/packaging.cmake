# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: "cpack -G DEB" in the build folder makes
# fieldlines_<version>_<arch>.deb from the install rules. Its Depends come
# from the libraries the program links (dpkg-shlibdeps); the fonts it draws
# its texts with and Qt's own Chinese dialogs are recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fieldlines)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "电场线的描绘 developers <fieldlines@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "draws the electric field lines of point charges")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "电场线的描绘 (Electric Field Lines) is a program for physics lessons: type the\n"
    "positions and amounts of up to 32 point charges and it traces their field\n"
    "lines with arrowheads, the equipotential lines and the points where the\n"
    "field vanishes. Drag a charge and the picture follows. Pictures are saved\n"
    "as PNG, SVG, PDF or CSV, also from the command line. Chinese and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, fonts-liberation, fonts-lxgw-wenkai, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# What Debian asks of a package's files and folders: control files 0644
# (0755 for scripts), and every folder 0755 whatever the umask of whoever
# builds it (the installation makes folders under the umask).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/folderpermissions.cmake)
include(CPack)
