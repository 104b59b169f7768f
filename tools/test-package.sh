#!/usr/bin/env bash
# Proves the Debian package on fresh Debian 12 roots, made by
# ../shared/tools/fresh-debian.sh (run as root):
#  1. in one fresh root, from a clean clone of the committed checkout: the
#     project's tools/install-deps.sh, a build of the programs without the
#     tests, and `cpack -G DEB`; the .deb and a sample picture come out;
#  2. in a second fresh root holding Debian's minimal base alone:
#     `apt-get install ./orbalux_*.deb`, which must bring in every library,
#     then the installed programs are run: both --version, the browser on the
#     offscreen platform, the converter on the sample, and gdalinfo on it
#     through the GDAL plugin when the package holds one.
# The second root receives the .deb through a scratch git repository, since
# fresh-debian.sh clones the checkout it is given.
#
#   tools/test-package.sh                 # both steps
#   tools/test-package.sh --install-only  # step 2 with the .deb of an earlier step 1
#
# The .deb and the sample are kept in build-package-test/ (ORBALUX_PACKAGE_OUT).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fresh=${FRESH_DEBIAN:-$root/../shared/tools/fresh-debian.sh}
out=${ORBALUX_PACKAGE_OUT:-$root/build-package-test}
sample=69_091.005
[ -x "$fresh" ] || [ -f "$fresh" ] || { echo "test-package.sh: no $fresh" >&2; exit 2; }

if [ "${1:-}" != "--install-only" ]; then
  if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "test-package.sh: uncommitted changes are not in the clone that is packed" >&2
  fi
  echo "== step 1: build the package in a fresh root"
  build='bash tools/install-deps.sh &&
    cmake -S . -B build-package -DBUILD_TESTING=OFF -DORBALUX_BUILD_TOOLS=ON >/dev/null &&
    cmake --build build-package -j"$(nproc)" >/dev/null &&
    (cd build-package && cpack -G DEB) &&
    mkdir -p /src/package-out &&
    cp build-package/orbalux_*.deb build-package/samples/'$sample' /src/package-out/'
  log=$(mktemp)
  KEEP=1 bash "$fresh" "$build" "$root" 2>&1 | tee "$log" || true
  kept=$(sed -n 's/^fresh-debian: exit [0-9]* (root kept at \(.*\))$/\1/p' "$log" | tail -n 1)
  status=$(sed -n 's/^fresh-debian: exit \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  rm -f "$log"
  if [ "$status" != 0 ]; then
    echo "test-package.sh: building the package failed${kept:+ (root kept at $kept)}" >&2
    exit 1
  fi
  rm -rf "$out"
  mkdir -p "$out"
  cp "$kept"/src/package-out/* "$out/"
  case $kept in /tmp/fresh-*) rm -rf "$kept" ;; esac
fi

debs=("$out"/orbalux_*.deb)
[ -f "${debs[0]}" ] && [ -f "$out/$sample" ] || { echo "test-package.sh: no package in $out" >&2; exit 1; }
deb=$(basename "${debs[0]}")
echo "== step 2: install $deb in a fresh root"
version=$(sed -n 's/^project(Orbalux VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

transfer=$(mktemp -d /tmp/orbalux-package-XXXX)
trap 'rm -rf "$transfer"' EXIT
cp "$out/$deb" "$out/$sample" "$transfer/"
cat >"$transfer/check.sh" <<CHECK
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends ./$deb >/dev/null
dpkg-query -W -f='\${Package} \${Version}\n  Depends: \${Depends}\n' orbalux
failures=0
fail() { echo "FAIL: \$*"; failures=\$((failures + 1)); }
[ "\$(dpkg-query -W -f='\${Version}' orbalux)" = $version ] || fail "package version is not $version"
[ "\$(orbalux --version)" = "orbalux $version" ] || fail "orbalux --version"
[ "\$(orbalux-convert --version)" = "orbalux-convert $version" ] || fail "orbalux-convert --version"
for f in /usr/share/man/man1/orbalux.1 /usr/share/man/man1/orbalux-convert.1 \\
         /usr/share/applications/org.orbalux.Orbalux.desktop /usr/share/metainfo/org.orbalux.Orbalux.metainfo.xml \\
         /usr/share/mime/packages/org.orbalux.Orbalux.xml /usr/share/icons/hicolor/scalable/apps/org.orbalux.Orbalux.svg; do
  dpkg -L orbalux | grep -qx "\$f" || fail "the package lacks \$f"
done
orbalux-convert $sample -o /tmp/out.png || fail "orbalux-convert to PNG"
[ "\$(head -c 8 /tmp/out.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the output is not a PNG"
orbalux-convert --info $sample | head -n 4
QT_QPA_PLATFORM=offscreen orbalux-convert --contact-sheet /tmp/sheet.png $sample || fail "contact sheet"
# The GDAL plugin, when packed, is where GDAL's own tools find it.
if dpkg -L orbalux | grep -q '/gdal_MARINER67.so\$'; then
  apt-get install -y -qq --no-install-recommends gdal-bin >/dev/null
  gdalinfo $sample | grep -q '^Driver: MARINER67' || fail "gdalinfo does not read the sample with MARINER67"
fi
# The browser loads its Qt platform and stays up on the picture until stopped.
QT_QPA_PLATFORM=offscreen timeout 5 orbalux $sample && rc=0 || rc=\$?
[ \$rc = 124 ] || fail "the browser ended with status \$rc instead of running"
[ \$failures = 0 ] || { echo "\$failures check(s) failed"; exit 1; }
echo "package checks passed: $deb"
CHECK
git -C "$transfer" init -q
git -C "$transfer" add .
git -C "$transfer" -c user.name=orbalux -c user.email=orbalux@localhost commit -q -m package
bash "$fresh" 'bash check.sh' "$transfer"
