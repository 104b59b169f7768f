# The Debian package: `cpack -G DEB` in the build folder packs what
# `cmake --install` installs under /usr, stripped, with the shared libraries'
# packages found by dpkg-shlibdeps (dpkg-dev) as its dependencies.
set(CPACK_PACKAGE_NAME orbalux)
set(CPACK_PACKAGE_VENDOR "The Orbalux developers")
set(CPACK_PACKAGE_CONTACT "The Orbalux developers <developers@orbalux.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browser and converter for the Mariner 6/7 television pictures")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# (the summary above is the first line of the package's description)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orbalux shows the television pictures that the Mariner 6 and Mariner 7
spacecraft sent back from Mars in 1969, as kept one picture per file on the
archival data volume: it decodes the picture lines and the telemetry header,
counts the lines lost in transmission, and offers despeckle, contrast stretch,
flips, reductions, widening of the narrow formats and repair of missing lines.
The command orbalux-convert does the same from the shell, for one file or a
whole volume, to BMP or PNG, and makes contact sheets.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The converter's contact sheet labels and the browser's windows need a font,
# which no library dependency brings.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)
