#!/usr/bin/env bash
# Installs the build into a scratch folder, as a package would under /usr, and
# checks what a desktop needs from it: every file in place, the programs
# printing the project's version, the movie encoders' module found by the
# installed converter while neither program links its libraries, the manual pages with their sections, the
# converter's bash completion offering its options and their values, the
# desktop entry and the AppStream file
# valid (where desktop-file-validate and appstreamcli are present), and the
# MIME definition accepted by update-mime-database and matching the names of
# picture files, not their converted copies.
#
#   check-install.sh BUILD_DIR VERSION SCRATCH_DIR
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR VERSION SCRATCH_DIR}
version=${2:?}
scratch=${3:?}
id=org.orbalux.Orbalux
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$scratch"
DESTDIR="$scratch" "${CMAKE:-cmake}" --install "$build" --prefix /usr >/dev/null
usr=$scratch/usr

for f in bin/orbalux bin/orbalux-convert \
         share/man/man1/orbalux.1.gz share/man/man1/orbalux-convert.1.gz \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/doc/orbalux/copyright share/doc/orbalux/changelog.gz \
         share/bash-completion/completions/orbalux-convert; do
  [ -s "$usr/$f" ] || fail "not installed: $f"
done

for program in orbalux orbalux-convert; do
  out=$(QT_QPA_PLATFORM=offscreen "$usr/bin/$program" --version 2>&1) || fail "$program --version failed"
  [ "$out" = "$program $version" ] || fail "$program --version printed '$out', not '$program $version'"
  page=$usr/share/man/man1/$program.1.gz
  if [ -f "$page" ]; then
    text=$(gzip -dc "$page")
    grep -q "^\.TH ${program^^} \"1\" .*\"$program $version\"" <<<"$text" || fail "$program.1 lacks its title line"
    grep -q -- '\\-\\-help' <<<"$text" || fail "$program.1 does not list --help"
    grep -q '^\.SH "SEE ALSO"' <<<"$text" || fail "$program.1 has no SEE ALSO"
  fi
done
# The movie encoders: a module in the package's private folder, which the
# programs open only for a movie and find from their own folder (the install
# leaves them no run path); the programs link neither giflib nor FFmpeg.
module=$(find "$usr/lib" -path '*/orbalux/orbalux-movie-encoders.so' 2>/dev/null | head -n 1)
[ -n "$module" ] || fail "not installed: lib/.../orbalux/orbalux-movie-encoders.so"
for program in orbalux orbalux-convert; do
  dynamic=$(readelf -d "$usr/bin/$program" 2>/dev/null) || continue
  grep -qE 'R(UN)?PATH' <<<"$dynamic" && fail "$program keeps a run path"
  grep -qE 'libav|libgif' <<<"$dynamic" && fail "$program links the movie encoders' libraries"
done
sample=$(find "$build/samples" -type f 2>/dev/null | head -n 1)
if [ -n "$module" ] && [ -n "$sample" ]; then
  "$usr/bin/orbalux-convert" -q --movie "$scratch/movie.gif" "$sample" 2>/dev/null && [ -s "$scratch/movie.gif" ] ||
    fail "the installed orbalux-convert writes no movie"
fi

# The converter's page: a SYNOPSIS line per usage form and the sections that
# its help does not hold.
text=$(gzip -dc "$usr/share/man/man1/orbalux-convert.1.gz" 2>/dev/null || true)
forms=$("$usr/bin/orbalux-convert" --help 2>/dev/null | grep -cE '^(Usage|  or):')
[ "$forms" -gt 0 ] && [ "$(sed -n '/^\.SH SYNOPSIS/,/^\.SH/p' <<<"$text" | grep -c '^\.B orbalux-convert')" = "$forms" ] ||
  fail "orbalux-convert.1: SYNOPSIS does not give the help's $forms usage forms"
for section in OPTIONS '"EXIT STATUS"' EXAMPLES FILES; do
  grep -q "^\.SH $section" <<<"$text" || fail "orbalux-convert.1 has no $section"
done

# The completion, as bash-completion runs it: options from a beginning, the
# words of --format, nothing to guess for a number.
if [ -f /usr/share/bash-completion/bash_completion ]; then
  complete_words() {
    PATH=$usr/bin:$PATH bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"; shift
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
      COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
      _orbalux_convert orbalux-convert "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
      for word in "${COMPREPLY[@]}"; do echo "$word"; done' _ "$usr/share/bash-completion/completions/orbalux-convert" "$@" | sort | tr '\n' ' '
  }
  [ "$(complete_words orbalux-convert --files)" = "--files-from " ] || fail "completion of --files: $(complete_words orbalux-convert --files)"
  [ "$(complete_words orbalux-convert --format '')" = "bmp png " ] || fail "completion of --format: $(complete_words orbalux-convert --format '')"
  [ "$(complete_words orbalux-convert --form '')" = "bmp png " ] || fail "completion after --form: $(complete_words orbalux-convert --form '')"
  [ "$(complete_words orbalux-convert -j '')" = "" ] || fail "completion of -j: $(complete_words orbalux-convert -j '')"
fi

if command -v desktop-file-validate >/dev/null; then
  # It reports hints (such as two main categories) without failing.
  report=$(desktop-file-validate "$usr/share/applications/$id.desktop" 2>&1) || true
  [ -z "$report" ] || fail "desktop-file-validate: $report"
fi
if command -v appstreamcli >/dev/null; then
  report=$(appstreamcli validate --no-net --explain "$usr/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $report"
fi

# The MIME database built from our definition alone: globs2 holds lines
# "weight:type:pattern[:flags]", patterns folded to lower case unless "cs".
if command -v update-mime-database >/dev/null; then
  mime=$scratch/mime
  mkdir -p "$mime/packages"
  cp "$usr/share/mime/packages/$id.xml" "$mime/packages/"
  # (with the scratch folder among the data folders, so it does not note that
  # applications would not find it)
  report=$(XDG_DATA_DIRS=$scratch update-mime-database "$mime" 2>&1) || fail "update-mime-database: $report"
  [ -z "$report" ] || fail "update-mime-database: $report"
  mapfile -t globs < <(grep ':image/x-mariner-picture:' "$mime/globs2" 2>/dev/null || true)
  [ ${#globs[@]} -gt 0 ] || fail "no glob for image/x-mariner-picture"
  matches() {
    local name=$1 line pattern flags
    for line in "${globs[@]}"; do
      IFS=: read -r _ _ pattern flags <<<"$line"
      if [[ $flags == *cs* ]]; then
        [[ $name == $pattern ]] && return 0
      else
        [[ ${name,,} == $pattern ]] && return 0
      fi
    done
    return 1
  }
  for name in 69_011.001 69_311.002 JAC_224.004 jac_224.004 RBL_001.001 Ed_101.012; do
    matches "$name" || fail "$name is not image/x-mariner-picture"
  done
  for name in 69_011.001.png 69_011.001.bmp 69_011.001.PNG 69_311.002.aux.xml 69_311.002.img 69_011 notes_69.001 readme.txt; do
    matches "$name" && fail "$name is taken for image/x-mariner-picture"
  done
fi

[ $failures -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "installed tree in order"
