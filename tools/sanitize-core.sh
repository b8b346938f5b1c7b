#!/usr/bin/env bash
# Builds the portable core and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the tests; any finding fails the run.
# Usage: tools/sanitize-core.sh [build-dir]   (default: build-asan in the repository)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-asan}"

cmake -S "$root" -B "$build" -DVELMORA_CORE_ONLY=ON -DVELMORA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
cmake --build "$build" -j2
cd "$build"
ctest --output-on-failure
