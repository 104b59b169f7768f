#!/usr/bin/env bash
# Proves the two Debian packages on fresh Debian roots, made by
# ../shared/tools/fresh-debian.sh (run as root; SUITE=trixie for Debian 13):
#  1. in one fresh root, from a clean clone of the committed checkout: the
#     project's tools/install-deps.sh (with lintian), then
#     tools/build-package.sh, which builds both packages with Debian's
#     hardening flags and fails on any lintian error or warning; the .debs
#     and a sample picture come out;
#  2. in a second fresh root holding Debian's minimal base alone:
#     `apt-get install ./orbalux_*.deb`, which must bring in every library
#     and no GDAL, then both programs are run there: --version, the browser
#     on the offscreen platform, the converter on the sample, its manual page
#     and bash completion; then the package is purged and must leave nothing;
#  3. in a third fresh root: `apt-get install ./orbalux-gdal_*.deb
#     ./orbalux_*.deb`, and gdalinfo and gdal_translate read the sample
#     through the plugin.
# The later roots receive the .debs through a scratch git repository, since
# fresh-debian.sh clones the checkout it is given.
#
#   tools/test-package.sh                 # every step
#   tools/test-package.sh --install-only  # steps 2 and 3 with the .debs of an earlier step 1
#
# The .debs and the sample are kept in build-package-test/ (ORBALUX_PACKAGE_OUT).
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
  echo "== step 1: build the packages in a fresh root (${SUITE:-bookworm})"
  build='bash tools/install-deps.sh lintian &&
    bash tools/build-package.sh build-package -DORBALUX_BUILD_TOOLS=ON &&
    mkdir -p /src/package-out &&
    cp build-package/*.deb build-package/samples/'$sample' /src/package-out/'
  log=$(mktemp)
  KEEP=1 bash "$fresh" "$build" "$root" 2>&1 | tee "$log" || true
  kept=$(sed -n 's/^fresh-debian: exit [0-9]* (root kept at \(.*\))$/\1/p' "$log" | tail -n 1)
  status=$(sed -n 's/^fresh-debian: exit \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  rm -f "$log"
  if [ "$status" != 0 ]; then
    echo "test-package.sh: building the packages failed${kept:+ (root kept at $kept)}" >&2
    exit 1
  fi
  rm -rf "$out"
  mkdir -p "$out"
  cp "$kept"/src/package-out/* "$out/"
  case $kept in /tmp/fresh-*) rm -rf "$kept" ;; esac
fi

main_debs=("$out"/orbalux_*.deb)
gdal_debs=("$out"/orbalux-gdal_*.deb)
[ -f "${main_debs[0]}" ] && [ -f "${gdal_debs[0]}" ] && [ -f "$out/$sample" ] ||
  { echo "test-package.sh: no packages in $out" >&2; exit 1; }
main=$(basename "${main_debs[0]}")
gdal=$(basename "${gdal_debs[0]}")
version=$(sed -n 's/^project(Orbalux VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

transfer=$(mktemp -d /tmp/orbalux-package-XXXX)
trap 'rm -rf "$transfer"' EXIT
cp "$out/$main" "$out/$gdal" "$out/$sample" "$transfer/"
cat >"$transfer/common.sh" <<COMMON
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
failures=0
fail() { echo "FAIL: \$*"; failures=\$((failures + 1)); }
finish() { [ \$failures = 0 ] || { echo "\$failures check(s) failed"; exit 1; }; echo "package checks passed: \$*"; }
apt-get update -qq
COMMON
cat >"$transfer/viewer.sh" <<CHECK
. ./common.sh
apt-get install -y -qq --no-install-recommends ./$main >/dev/null
dpkg-query -W -f='\${Package} \${Version}\n  Depends: \${Depends}\n  Installed-Size: \${Installed-Size} kB\n' orbalux
echo "  with its dependencies: \$(dpkg-query -W -f='\${db:Status-Abbrev}\n' | grep -c '^ii') packages installed"
[ "\$(dpkg-query -W -f='\${Version}' orbalux)" = $version ] || fail "package version is not $version"
# The viewer alone brings no GDAL.
if dpkg-query -W -f='\${Package}\n' | grep -q gdal; then fail "GDAL came with the viewer: \$(dpkg-query -W -f='\${Package}\n' | grep gdal | tr '\n' ' ')"; fi
[ "\$(orbalux --version)" = "orbalux $version" ] || fail "orbalux --version"
[ "\$(orbalux-convert --version)" = "orbalux-convert $version" ] || fail "orbalux-convert --version"
for f in /usr/share/man/man1/orbalux.1.gz /usr/share/man/man1/orbalux-convert.1.gz \\
         /usr/share/doc/orbalux/copyright /usr/share/doc/orbalux/changelog.gz \\
         /usr/share/bash-completion/completions/orbalux-convert \\
         /usr/share/applications/org.orbalux.Orbalux.desktop /usr/share/metainfo/org.orbalux.Orbalux.metainfo.xml \\
         /usr/share/mime/packages/org.orbalux.Orbalux.xml /usr/share/icons/hicolor/scalable/apps/org.orbalux.Orbalux.svg; do
  dpkg -L orbalux | grep -qx "\$f" || fail "the package lacks \$f"
done
orbalux-convert $sample -o /tmp/out.png || fail "orbalux-convert to PNG"
[ "\$(head -c 8 /tmp/out.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "the output is not a PNG"
orbalux-convert --info $sample | head -n 4
QT_QPA_PLATFORM=offscreen orbalux-convert --contact-sheet /tmp/sheet.png $sample || fail "contact sheet"
# The browser loads its Qt platform and stays up on the picture until stopped.
QT_QPA_PLATFORM=offscreen timeout 5 orbalux $sample && rc=0 || rc=\$?
[ \$rc = 124 ] || fail "the browser ended with status \$rc instead of running"
# Purged, it leaves none of its files.
apt-get purge -y -qq orbalux >/dev/null
left=\$(ls -d /usr/bin/orbalux* /usr/share/doc/orbalux /usr/share/man/man1/orbalux* \\
        /usr/share/bash-completion/completions/orbalux-convert 2>/dev/null || true)
[ -z "\$left" ] || fail "left after purge: \$left"
finish $main
CHECK
cat >"$transfer/plugin.sh" <<CHECK
. ./common.sh
apt-get install -y -qq --no-install-recommends ./$gdal ./$main gdal-bin >/dev/null
dpkg-query -W -f='\${Package} \${Version}\n  Depends: \${Depends}\n' orbalux-gdal
[ "\$(dpkg-query -W -f='\${Version}' orbalux-gdal)" = $version ] || fail "orbalux-gdal version is not $version"
dpkg -L orbalux-gdal | grep -q '/gdalplugins/gdal_MARINER67.so\$' || fail "the package lacks the plugin"
# GDAL's own tools find the plugin in their plugin folder.
gdalinfo $sample | grep -q '^Driver: MARINER67' || fail "gdalinfo does not read the sample with MARINER67"
gdal_translate -q -of PNG $sample /tmp/sample.png || fail "gdal_translate"
[ "\$(head -c 8 /tmp/sample.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "gdal_translate wrote no PNG"
apt-get purge -y -qq orbalux-gdal >/dev/null
if ls /usr/lib/*/gdalplugins/gdal_MARINER67.so >/dev/null 2>&1; then fail "the plugin is left after purge"; fi
finish $gdal
CHECK
git -C "$transfer" init -q
git -C "$transfer" add .
git -C "$transfer" -c user.name=orbalux -c user.email=orbalux@localhost commit -q -m package
echo "== step 2: install $main alone in a fresh root"
bash "$fresh" 'bash viewer.sh' "$transfer"
echo "== step 3: install $gdal in a fresh root"
bash "$fresh" 'bash plugin.sh' "$transfer"
