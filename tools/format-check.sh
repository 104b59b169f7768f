#!/usr/bin/env bash
# Checks the C++ lines changed on this branch against .clang-format: the lines
# changed since the branch left main (origin/main, else main, else the last
# commit), committed or not. Only changed lines are checked, so that a change
# is never asked to reformat what it did not touch. Prints what clang-format
# would make of them and exits 1 when that differs; skipped, with a message,
# when clang-format is not installed.
#
#   bash tools/format-check.sh           # against the merge base
#   bash tools/format-check.sh REF       # against REF
#
# ORBALUX_CLANG (as for fuzz/run-fuzzers.sh) picks clang-format-N.
set -euo pipefail
cd "$(dirname "$0")/.."

version=${ORBALUX_CLANG:-$(compgen -c clang-format-diff- | sed -n 's/^clang-format-diff-\([0-9]*\)$/\1/p' | sort -n | tail -n 1)}
if [ -z "$version" ] || ! command -v "clang-format-$version" >/dev/null; then
  echo "format check skipped: clang-format is not installed (apt-get install clang-format)"
  exit 0
fi

if [ $# -gt 0 ]; then
  base=$1
else
  base=
  for ref in origin/main main; do
    if git rev-parse -q --verify "$ref^{commit}" >/dev/null; then
      base=$(git merge-base HEAD "$ref")
      break
    fi
  done
  # On main itself, or without it: the last commit's changes; in a clone of
  # one commit there is nothing to compare with.
  if [ -z "$base" ] || [ "$base" = "$(git rev-parse HEAD)" ]; then
    base=$(git rev-parse -q --verify 'HEAD~^{commit}') || {
      echo "format check skipped: no earlier commit to compare with"
      exit 0
    }
  fi
fi

report=$(git diff -U0 --no-color "$base" -- '*.cpp' '*.h' |
         "clang-format-diff-$version" -p1 -binary "clang-format-$version")
if [ -n "$report" ]; then
  echo "$report"
  echo "format check: the changed lines above differ from .clang-format; clang-format-diff-$version -p1 -i fixes them" >&2
  exit 1
fi
echo "format check: the C++ lines changed since ${base:0:12} follow .clang-format"
