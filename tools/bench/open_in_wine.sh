#!/usr/bin/env bash
# Times Open of a generated test in the real Quorbelind.exe under Wine: from
# the program's start until its title names the test, which Open sets once the
# question list is filled. A one-question test measures the start-up alone;
# the difference is what Open of the large test costs.
#   tools/bench/open_in_wine.sh [QUESTIONS] [RUNS]   (defaults 10000 and 3)
# Needs a finished build (tools/build.sh); QB_BUILD_DIR as for the tests.
set -euo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$qb_root/tools/wine-env.sh"
questions=${1:-10000}
runs=${2:-3}
[ -x "$QB_DIST/Quorbelind.exe" ] || { echo "no $QB_DIST/Quorbelind.exe: run tools/build.sh first"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/qb-open-bench-XXXXXX")
export WINEPREFIX=$QB_BUILD_DIR/wineprefix-bench-$WINEARCH
xvfb_pid=
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display_number=140
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=:$display_number
Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
[ -f "$WINEPREFIX/system.reg" ] || "$QB_WINE" wineboot -i >/dev/null 2>&1

# A test as the format lays it out: magic line, then per question the keyword,
# ten length lines, the status and the texts; a wrong answer in every third.
make_test() { # path count
  python3 - "$1" "$2" <<'PY'
import sys
path, count = sys.argv[1], int(sys.argv[2])
with open(path, "wb") as f:
    f.write(b"QBKX0101A\r\n")
    for n in range(count):
        slots = [("What is the answer to question number %06d of this test?" % n).encode(), b"Answer %d" % n]
        if n % 3 == 0:
            slots.append(b"Not this one")
        lengths = [len(s) for s in slots] + [0] * (10 - len(slots))
        f.write(b"Question %d\r\n" % n)
        f.write(b"".join(b"%d\r\n" % length for length in lengths))
        f.write(b"0\r\n")
        f.write(b"".join(slots))
    f.write(b"\r\n")
PY
}

# Seconds from start until the title carries the test's path.
time_open() { # test path
  local test_path=$1 started now title
  mkdir -p "$work/dir"
  cp "$QB_DIST/Quorbelind.exe" "$work/dir/"
  cd "$work/dir"
  started=$(date +%s.%N)
  "$QB_WINE" Quorbelind.exe "$("$QB_WINE" winepath -w "$test_path" 2>/dev/null)" >/dev/null 2>&1 &
  program_pid=$!
  while :; do
    title=$(xwininfo -root -tree 2>/dev/null | grep -o '"Quorbelind V1.00: [^"]*"' || true)
    [ -n "$title" ] && break
    now=$(date +%s.%N)
    if [ "$(echo "$now - $started > 600" | bc)" = 1 ]; then echo "no test opened within 600 s" >&2; return 1; fi
    sleep 0.02
  done
  now=$(date +%s.%N)
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=
  "$WINESERVER" -w 2>/dev/null || true
  cd "$qb_root"
  echo "$now - $started" | bc
}

best() { # path
  local best_time="" t
  for _ in $(seq 1 "$runs"); do
    t=$(time_open "$1") || exit 1
    if [ -z "$best_time" ] || [ "$(echo "$t < $best_time" | bc)" = 1 ]; then best_time=$t; fi
  done
  echo "$best_time"
}

make_test "$work/large.tvt" "$questions"
make_test "$work/one.tvt" 1
time_open "$work/one.tvt" >/dev/null || exit 1  # the first start of a prefix is slower
small=$(best "$work/one.tvt")
large=$(best "$work/large.tvt")
printf 'start-up with 1 question:        %.2f s\n' "$small"
printf 'start-up with %d questions: %.2f s\n' "$questions" "$large"
printf 'Open of %d questions:       %.2f s (best of %d)\n' "$questions" "$(echo "$large - $small" | bc)" "$runs"
