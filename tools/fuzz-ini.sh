#!/usr/bin/env bash
# Builds the INI loader's fuzz target with clang and runs it for 30 seconds
# over a copy of the seed corpus (the repository's corpus never grows).
# Usage: tools/fuzz-ini.sh [build-dir]   (default: build-fuzz in the repository)
# Exits non-zero when the fuzzer finds a crash; the input that crashed is kept
# in the build directory as crash-*.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" \
  -DVELMORA_CORE_ONLY=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_FUZZ=ON
cmake --build "$build" -j2 --target fuzz_ini_load

# Every run saves with fsync; a memory file system keeps the runs fast.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  export TMPDIR=/dev/shm
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/tests/fuzz/ini_corpus" "$work/corpus"

artifacts="$(cd "$build" && pwd)/"
"$build/bin/fuzz_ini_load" -max_total_time=30 -close_fd_mask=1 \
  -artifact_prefix="$artifacts" "$work/corpus"
