#!/usr/bin/env bash
# Plants faults one at a time and reports whether the tests catch each one.
# Usage: tools/mutate.sh PLANTS [build-dir]   (default build dir: build)
# PLANTS holds one fault per line, "path | sed script", the path taken from
# the repository root, for example
#   src/storage/IniFile.cpp | s/line.rfind(']')/line.find(']')/
# Blank lines and lines starting with # are skipped. Each plant is applied to
# the file in place, the build is brought up to date and ctest runs (extra
# ctest options from MUTATE_CTEST, e.g. "-LE platform"); then the file is put
# back byte for byte, also when the run is interrupted. A planted file must
# have no uncommitted changes. Exits non-zero when a plant was missed.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
plants="$(realpath "$1")"
build="$(realpath "${2:-$root/build}")"
cd "$root"
backup="$(mktemp)"
planted=""
restore() { [[ -n "$planted" ]] && cp "$backup" "$planted"; planted=""; }
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM

missed=0
while IFS= read -r line; do
  [[ -z "${line// /}" || "$line" == \#* ]] && continue
  file="${line%% | *}" script="${line#* | }"
  if ! git diff --quiet HEAD -- "$file"; then
    echo "SKIPPED (uncommitted changes) | $file | $script"; continue
  fi
  cp "$file" "$backup" && planted="$file"
  sed -i -e "$script" "$file"
  if cmp -s "$backup" "$file"; then
    result="NOT APPLIED"
  elif ! nice cmake --build "$build" -j2 >"$build/mutate-build.log" 2>&1; then
    result="DOES NOT BUILD"
  elif (cd "$build" && ctest -j2 --timeout 120 ${MUTATE_CTEST:-} >mutate-ctest.log 2>&1); then
    result="MISSED"; missed=$((missed + 1))
  else
    result="caught by $(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (.*)$/\1/p' "$build/mutate-ctest.log" | paste -sd' ')"
  fi
  restore
  echo "$result | $file | $script"
done <"$plants"
nice cmake --build "$build" -j2 >/dev/null 2>&1  # back to the unplanted build
exit $((missed > 0))
