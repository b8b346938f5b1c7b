#!/usr/bin/env bash
# Builds the markup fuzz target with clang and runs it for 30 seconds over a
# copy of the seed corpus: the tokenizer and both layout passes must never
# crash, never trip a sanitizer, and always agree on the lines.
# Usage: tools/fuzz-markup.sh [build-dir]   (default: build-fuzz in the repository)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" \
  -DVELMORA_CORE_ONLY=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_FUZZ=ON
cmake --build "$build" -j2 --target fuzz_markup

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/tests/fuzz/markup_corpus" "$work/corpus"
"$build/bin/fuzz_markup" -max_total_time=30 -artifact_prefix="$(cd "$build" && pwd)/" \
  "$work/corpus"
