#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the
# browser need and this machine lacks, and what the package is made and checked
# with (manual pages, desktop and AppStream files, dpkg-shlibdeps, the bash
# completion folder), and what the web page is built and tested with
# (emscripten, chromium, node). Names given as arguments are installed as
# well. Run as root (or with sudo available). Debian 12 (bookworm) and 13 (trixie) are
# tested; where their package names differ, the running release's are chosen.
set -euo pipefail
release=$( . /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
# clang and its sanitizer runtime, for the fuzz targets; clang-format, for the
# format check of tools/test.sh
case $release in
  bookworm) clang=14 ;;
  trixie) clang=19 ;;
  *) echo "install-deps.sh: Debian '${release:-?}' is not tested; using trixie's names" >&2
     clang=19 ;;
esac
packages=(build-essential cmake pkg-config git
          libgtest-dev libgmock-dev libbenchmark-dev libpng-dev
          libgif-dev libavcodec-dev libavformat-dev libswscale-dev
          qt6-base-dev libgl-dev fonts-dejavu-core xvfb xauth
          clang-$clang libclang-rt-$clang-dev clang-format-$clang
          libgdal-dev gdal-bin python3-gdal python3-numpy
          help2man appstream desktop-file-utils shared-mime-info dpkg-dev file
          bash-completion
          emscripten chromium
          "$@")
# The web page's tests drive chromium from node with an npm package; a node
# installed by other means than Debian's is kept.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
