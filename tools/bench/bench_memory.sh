#!/usr/bin/env bash
# Peak memory (maximum resident set) of a long headless session: a new game,
# then many encounters, punches, refreshes and minutes, then the save.
#   tools/bench/bench_memory.sh [build dir] [program folder] [rounds]
set -euo pipefail
here="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$here/build}"
root_src="${2:-$here/game}"
rounds="${3:-2000}"
exe="$build/app/zando2"
[ -x "$exe" ] || { echo "no program at $exe" >&2; exit 2; }
[ -f "$root_src/dat/enemy.dat" ] || { echo "no content in $root_src/dat" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root_src/dat" "$work/dat"
[ -d "$root_src/cg" ] && cp -r "$root_src/cg" "$work/cg"

script="$work/session.script"
{
  echo "click Button12"
  for ((i = 0; i < rounds; i++)); do
    # The developer panel's encounter works from any screen.
    echo "click Button3"
    echo "click b1"
    echo "click b1"
    echo "click b1"
    echo "tick Timer1"
    if ((i % 50 == 0)); then echo "tick Timer2"; echo "dump"; fi
  done
  echo "close"
} > "$script"

export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
start=$(date +%s.%N)
if [ -x /usr/bin/time ]; then
  /usr/bin/time -v "$exe" --headless --debug-panel --seed 1 --root "$work" --script "$script" \
    > "$work/transcript.txt" 2> "$work/time.txt"
  peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
else
  # Without GNU time: watch the process's high-water mark until it ends.
  "$exe" --headless --debug-panel --seed 1 --root "$work" --script "$script" > "$work/transcript.txt" 2>/dev/null &
  pid=$!
  peak=0
  while kill -0 "$pid" 2>/dev/null; do
    hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$hwm" ] && [ "$hwm" -gt "$peak" ] && peak=$hwm
    sleep 0.05
  done
  wait "$pid"
fi
end=$(date +%s.%N)
lines=$(wc -l < "$work/transcript.txt")
printf 'rounds=%s transcript_lines=%s peak_rss_kb=%s wall_s=%.2f\n' "$rounds" "$lines" "$peak" "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
