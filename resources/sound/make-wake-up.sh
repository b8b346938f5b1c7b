#!/usr/bin/env bash
# Makes the default alarm sound "Wake up.mp3": a soft rising chime (C major
# arpeggio, played twice, each note a sine with a bell-like fade), about four
# seconds long. Needs sox and lame (Debian packages of the same names).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

notes=(C5 E5 G5 C6)
i=0
for round in 1 2; do
  for n in "${notes[@]}"; do
    # A sine with a quieter octave above it, quick attack, long fade.
    sox -n -r 44100 -c 1 "$work/n$i.wav" synth 0.5 sine "$n" sine "%12" \
      remix 1,2v0.3 fade q 0.01 0.5 0.45 gain -9
    i=$((i + 1))
  done
  sox -n -r 44100 -c 1 "$work/n$i.wav" trim 0 0.3
  i=$((i + 1))
done
# The last chord rings out.
sox -n -r 44100 -c 1 "$work/n$i.wav" synth 1.2 sine C5 sine E5 sine G5 \
  fade q 0.01 1.2 1.1 gain -12
files=()
for k in $(seq 0 "$i"); do files+=("$work/n$k.wav"); done
sox "${files[@]}" "$work/wake.wav" reverb 30 norm -3
lame --quiet -b 64 -m m "$work/wake.wav" "Wake up.mp3"
echo "made $(pwd)/Wake up.mp3"
