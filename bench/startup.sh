#!/usr/bin/env bash
# Cold start of the panel: the time from launching `quavelo --simulate --measure-startup` to the
# first painted frame of its start screen, and its resident memory at that paint and after one
# second connected to the simulated TORVA with the meters running. Targets: 300 ms, 60 MB.
#
#   bench/startup.sh [PROGRAM]   (default build/src/app/quavelo; RUNS=5 runs)
#
# Without a display the panel paints offscreen. The first run also pays for loading Qt from disk
# when the page cache is cold; the median shows the usual start.
set -euo pipefail

program=${1:-build/src/app/quavelo}
runs=${RUNS:-5}
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

starts=() rss_paint=() rss_connected=() hwm=()
for ((i = 1; i <= runs; i++)); do
  launched=${EPOCHREALTIME/./}
  out=$("$program" --simulate --measure-startup --data-dir "$data" 2>/dev/null)
  painted=$(awk '$1 == "first-paint-realtime-us" { print $2 }' <<<"$out")
  if ! grep -qx 'connected 1' <<<"$out"; then
    echo "run $i: the panel did not connect to the simulated TORVA" >&2
    exit 1
  fi
  starts+=($(((painted - launched) / 1000)))
  rss_paint+=($(awk '$1 == "rss-kb-first-paint" { print $2 }' <<<"$out"))
  rss_connected+=($(awk '$1 == "rss-kb-connected" { print $2 }' <<<"$out"))
  hwm+=($(awk '$1 == "hwm-kb" { print $2 }' <<<"$out"))
  printf 'run %d: first paint %4d ms, RSS %6d kB at the paint, %6d kB connected (peak %d kB)\n' \
    "$i" "${starts[-1]}" "${rss_paint[-1]}" "${rss_connected[-1]}" "${hwm[-1]}"
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
maximum() { printf '%s\n' "$@" | sort -n | tail -n 1; }
printf 'startup: first paint median %d ms, max %d ms (target 300 ms)\n' \
  "$(median "${starts[@]}")" "$(maximum "${starts[@]}")"
printf 'memory: peak resident %d kB, median connected %d kB (target 60 MB = 61440 kB)\n' \
  "$(maximum "${hwm[@]}")" "$(median "${rss_connected[@]}")"
