#!/bin/sh
# Time from the start of the game's process to the first painted board, the
# way a player starts it a second time (its data folder already prepared),
# on an X server of its own (Xvfb) unless DISPLAY is set.
# Usage: bench/first_paint.sh [PROGRAM] [RUNS]   (default build/qzreishogi, 7)
# Prints each run in seconds, then the median. The sound driver is SDL's
# dummy one, so that a machine without a sound card measures the same work.
set -eu
program=${1:-build/qzreishogi}
runs=${2:-7}
[ -x "$program" ] || { echo "no program $program" >&2; exit 2; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$program" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/folder"
run() {
  (cd "$work/folder" &&
    env -u QZ_ASSET_DIR -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$work/home" \
      SDL_AUDIODRIVER=dummy QZ_FIRST_PAINT="$work/stamp" sh -c '
        date +%s.%N >"$0"; exec "$1"' "$work/start" "$program") >/dev/null 2>&1
  awk -v a="$(cat "$work/start")" -v b="$(cat "$work/stamp")" 'BEGIN { printf "%.3f\n", b - a }'
}
run >/dev/null  # the first start prepares the data folder
i=0
while [ "$i" -lt "$runs" ]; do
  run
  i=$((i + 1))
done | sort -n >"$work/times"
cat "$work/times" | tr '\n' ' '
echo
awk '{ t[NR] = $1 } END { printf "median %.3f s over %d runs\n", t[int((NR + 1) / 2)], NR }' \
  "$work/times"
