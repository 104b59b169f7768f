# The Debian packages: `cpack -G DEB` in the build folder packs what
# `cmake --install` installs under /usr, stripped as Debian's tools strip, in
# two packages: `orbalux` (the browser, the converter and what a desktop needs;
# no GDAL) and `orbalux-gdal` (the GDAL plugin, on top of `orbalux` of the same
# version). The shared libraries' packages, found by dpkg-shlibdeps (dpkg-dev),
# are their dependencies. tools/build-package.sh builds them with Debian's
# hardening flags and checks them with lintian.
set(CPACK_PACKAGE_NAME orbalux)
set(CPACK_PACKAGE_VENDOR "The Orbalux developers")
set(CPACK_PACKAGE_CONTACT "The Orbalux developers <developers@orbalux.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# CPACK_PACKAGING_INSTALL_PREFIX (/usr) is set at the top, before gdal/ names its help page.
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL orbalux)
if(ORBALUX_BUILD_GDAL)
  list(APPEND CPACK_COMPONENTS_ALL gdal)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# Each description's first line is the package's summary.
set(CPACK_DEBIAN_ORBALUX_PACKAGE_NAME orbalux)
set(CPACK_DEBIAN_ORBALUX_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_ORBALUX_DESCRIPTION "browser and converter for the Mariner 6/7 television pictures
Orbalux shows the television pictures that the Mariner 6 and Mariner 7
spacecraft sent back from Mars in 1969, as kept one picture per file on the
archival data volume: it decodes the picture lines and the telemetry header,
counts the lines lost in transmission, and offers despeckle, contrast stretch,
flips, reductions, widening of the narrow formats, repair of missing lines
and stretches by each picture's own levels, and writes a folder's pictures as
a GIF, MP4 or WebM movie. The command orbalux-convert does the same from the
shell, for one file or a whole volume: BMP or PNG pictures, contact sheets (a
PNG of labelled thumbnails) and GIF, MP4 or WebM movies.")
# The converter's contact sheet labels and the browser's windows need a font,
# which no library dependency brings.
set(CPACK_DEBIAN_ORBALUX_PACKAGE_DEPENDS "fonts-dejavu-core")

set(CPACK_DEBIAN_GDAL_PACKAGE_NAME orbalux-gdal)
set(CPACK_DEBIAN_GDAL_PACKAGE_SECTION science)
set(CPACK_DEBIAN_GDAL_DESCRIPTION "GDAL driver for the Mariner 6/7 television pictures
The GDAL raster driver MARINER67 reads the television pictures that the
Mariner 6 and Mariner 7 spacecraft sent back from Mars in 1969, one picture
per file of the archival data volume, in every GDAL tool and library user
(gdalinfo, gdal_translate, QGIS, Python), with the display options of
Orbalux as open options.")
# The driver is the core of the same release, built into the plugin.
set(CPACK_DEBIAN_GDAL_PACKAGE_DEPENDS "orbalux (= ${PROJECT_VERSION})")

include(CPack)
