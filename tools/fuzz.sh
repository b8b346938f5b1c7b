#!/usr/bin/env bash
# Builds one of the core's fuzz targets with clang and runs it for 30 seconds
# over a copy of its seed corpus (the repository's corpus never grows).
#   tools/fuzz.sh ini    [build-dir]  the settings file loader
#   tools/fuzz.sh markup [build-dir]  the markup tokenizer and both layout
#                                     passes, which must agree on the lines
# The build directory defaults to build-fuzz in the repository. Exits
# non-zero when the fuzzer finds a fault; the input is kept in the build
# directory as crash-*.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
case "${1:-}" in
  ini) target=fuzz_ini_load ;;
  markup) target=fuzz_markup ;;
  *) echo "usage: tools/fuzz.sh ini|markup [build-dir]" >&2; exit 2 ;;
esac
build="${2:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" \
  -DVELMORA_CORE_ONLY=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_FUZZ=ON
cmake --build "$build" -j2 --target "$target"

# Every INI run saves with fsync; a memory file system keeps the runs fast.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work"  # the INI target's files go there too
cp -r "$root/tests/fuzz/$1_corpus" "$work/corpus"

"$build/bin/$target" -max_total_time=30 -close_fd_mask=1 \
  -artifact_prefix="$(cd "$build" && pwd)/" "$work/corpus"
