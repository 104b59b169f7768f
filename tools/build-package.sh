#!/usr/bin/env bash
# Builds the two Debian packages, orbalux and orbalux-gdal, as Debian builds
# its own: with the compiler and linker flags of dpkg-buildflags (all its
# hardening: bind-now, fortified functions, PIE, stack protector), the
# programs alone, then `cpack -G DEB`. Then, where lintian is installed, checks
# both with `lintian -I --pedantic`, which must give no error and no warning.
#
#   tools/build-package.sh [BUILD_DIR] [CMAKE_ARGS...]   # default build-package
#
# The packages come out in BUILD_DIR (orbalux_VERSION_ARCH.deb,
# orbalux-gdal_VERSION_ARCH.deb). The flags are taken when BUILD_DIR is first
# configured: start from an empty one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
shift || true
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake reads CFLAGS, CXXFLAGS and LDFLAGS only: the preprocessor's flags
# (_FORTIFY_SOURCE) go in with the compilers'.
cppflags=$(dpkg-buildflags --get CPPFLAGS)
export CFLAGS="$cppflags $(dpkg-buildflags --get CFLAGS)"
export CXXFLAGS="$cppflags $(dpkg-buildflags --get CXXFLAGS)"
export LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
(cd "$build" && rm -f ./*.deb && cpack -G DEB)
if command -v lintian >/dev/null; then
  echo "== lintian -I --pedantic"
  lintian -I --pedantic --fail-on error,warning "$build"/*.deb
  echo "lintian: no error, no warning"
fi
