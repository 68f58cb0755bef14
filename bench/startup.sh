#!/usr/bin/env bash
# Start-up of the program under Xvfb: the median time to its first frame and the peak memory over N runs.
#
# bench/startup.sh [STARTUP_BENCH] [RUNS]
#
# STARTUP_BENCH defaults to build/bench/bench/startup_bench (configure
# build/bench with -DCMAKE_BUILD_TYPE=Release); RUNS defaults to 30. Each run
# is timed from just before bash starts /usr/bin/time, which starts the
# benchmark, to the program's first frame carried out by the X server; the
# peak resident set size is what /usr/bin/time -v reports for the benchmark.
# The first run is a warm-up (disk cache, fontconfig cache) and not counted.
set -uo pipefail
cd "$(dirname "$0")/.."

bench=${1:-build/bench/bench/startup_bench}
runs=${2:-30}
[[ -x "$bench" ]] || { echo "startup.sh: $bench is not built" >&2; exit 1; }
for tool in Xvfb /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is not installed (xvfb, time)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [[ -n "$xvfb_pid" ]] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

mkfifo "$work/display-number"
exec {number_fd}<>"$work/display-number"
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x800x24 3>"$work/display-number" >/dev/null 2>&1 &
xvfb_pid=$!
display_number=""
read -r -t 10 -u "$number_fd" display_number
exec {number_fd}<&-
[[ -n "$display_number" ]] || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display_number"

: >"$work/results"
for ((run = 0; run <= runs; run++)); do
  launched=$EPOCHREALTIME
  if ! /usr/bin/time -v -o "$work/time" "$bench" --launched-at "$launched" >"$work/out"; then
    echo "startup.sh: run $run failed:" >&2
    cat "$work/out" "$work/time" >&2
    exit 1
  fi
  ((run == 0)) && continue
  launch=$(awk '$1 == "launch_to_frame_ms" { print $2 }' "$work/out")
  main=$(awk '$1 == "main_to_frame_ms" { print $2 }' "$work/out")
  rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
  echo "$launch $main $rss" >>"$work/results"
done

# median COLUMN: the median of that column of the results.
median() {
  sort -g -k "$1,$1" "$work/results" | awk -v c="$1" '{ v[NR] = $c } END {
    if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
range() { sort -g -k "$1,$1" "$work/results" | awk -v c="$1" 'NR == 1 { lo = $c } { hi = $c } END { print lo " .. " hi }'; }

echo "start-up of the program under Xvfb, $runs runs (after one warm-up):"
echo "  launch to first frame: median $(median 1) ms   (range $(range 1) ms)"
echo "  main() to first frame: median $(median 2) ms   (range $(range 2) ms)"
echo "  peak resident memory:  median $(awk -v kb="$(median 3)" 'BEGIN { printf "%.1f", kb / 1024 }') MB   (range $(range 3) kB)"
