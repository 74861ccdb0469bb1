#!/usr/bin/env bash
# Benchmark (not a test): how long the real Quorbelind.exe under Wine takes
# from its start with a generated test on the command line until its question
# list holds every question. The same is timed for a one-question test, which
# is the start-up alone; the difference is what opening the large test costs.
# The list is polled through the end-to-end driver (LVM_GETITEMCOUNT).
#   tools/bench/list_fill_in_wine.sh [QUESTIONS] [RUNS]   (defaults 10000 and 3)
# With --import first, File > Import questions is timed instead: a one-question
# test is opened and the generated test's questions, exported to a table by
# qbtool, are imported into it; the time runs from OK in the import dialog
# until the message that reports the import shows (the program answers no
# poll while it imports, so the list's part cannot be told apart from outside).
#   tools/bench/list_fill_in_wine.sh --import [QUESTIONS] [RUNS]
# Wine hands the windows it shows to the X window manager, and when one of
# them is hidden (the import dialog on OK) it first waits until the manager
# has taken it over; the private Xvfb has no manager, so every such wait runs
# out after 2 s, a delay that neither Windows nor Wine on a desktop has. So the
# benchmark's prefix lets Wine place the windows itself ("Managed" = "N" of
# its X11 driver). QB_BENCH_MANAGED=1 keeps Wine's default and the 2 s.
# Needs tools/build.sh to have run (QB_BUILD_DIR as for the tests): the
# native document-bench writes the tests, the Windows build runs them.
# QB_BENCH_TRACE=1 prints every poll that did not yet see the full list.
set -uo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$qb_root/tests/e2e/session.sh"
mode=open
[ "${1:-}" = --import ] && { mode=import; shift; }
questions=${1:-10000}
runs=${2:-3}
generator=$QB_BUILD_DIR/native/tools/bench/document-bench
for needed in "$generator" "$QB_DIST/Quorbelind.exe" "$QB_WIN_BUILD/tests/e2e/qbdrive.exe"; do
  [ -x "$needed" ] || [ -f "$needed" ] || { echo "missing $needed: run tools/build.sh first" >&2; exit 1; }
done

mkdir -p "$QB_BUILD_DIR/e2e"
run_dir=$(mktemp -d "$QB_BUILD_DIR/e2e/bench-XXXXXX")
trap 'qb_session_stop; [ -n "${QB_BENCH_KEEP:-}" ] || rm -rf "$run_dir"' EXIT
qb_session_start "$run_dir" || exit 1
windows="managed by Wine's X11 driver (its default: a 2 s wait for each closed dialog)"
if [ "${QB_BENCH_MANAGED:-0}" != 1 ]; then
  windows="unmanaged (Managed=N)"
  "$QB_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
    { echo "could not set the prefix's X11 driver to unmanaged windows" >&2; exit 1; }
fi
"$QB_WINE" "$QB_DRIVER" ids > "$run_dir/ids.sh"
export QB_E2E_CASE_DIR="$run_dir/case" QB_E2E_PROGRAM_DIR="$run_dir/program" QB_E2E_RUN_DIR="$run_dir"
mkdir -p "$QB_E2E_CASE_DIR"
cp -a "$QB_DIST" "$QB_E2E_PROGRAM_DIR"
"$generator" --generate "$run_dir/large.tvt" "$questions" || exit 1
"$generator" --generate "$run_dir/one.tvt" 1 || exit 1
if [ "$mode" = import ]; then
  "$QB_BUILD_DIR/native/qbtool/qbtool" export "$run_dir/large.tvt" "$run_dir/large.csv" >/dev/null || exit 1
fi

# time_fill TEST COUNT: milliseconds from the start until the list holds COUNT
# items; the program is ended by Exit afterwards. Prints "ms" or fails.
time_fill() {
  QB_E2E_WAIT=1800 bash -c '
    source "'"$qb_root"'/tests/e2e/lib.sh"
    test_path=$1 count=$2
    started=${EPOCHREALTIME/./}
    start_program pid "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR" --args "$(winpath "$test_path")"
    get main wait-window --pid "$pid" --class Quorbelind --timeout 1800000
    deadline=$((SECONDS + 1800))
    until [ "$(drive send "$main:IDC_QUESTION_LIST" 0x1004 0 0 2>/dev/null)" = "$count" ]; do
      [ -n "${QB_BENCH_TRACE:-}" ] && echo "trace $(( (${EPOCHREALTIME/./} - started) / 1000 )) $(drive send "$main:IDC_QUESTION_LIST" 0x1004 0 0 2>&1)" >&2
      [ $SECONDS -lt $deadline ] || die "the list did not reach $count items"
    done
    filled=${EPOCHREALTIME/./}
    need post-command "$main" IDM_EXIT > /dev/null
    [ "$(wait_exit "$pid" 600)" = 0 ] || die "the program did not end with exit code 0"
    echo "ms $(( (filled - started) / 1000 ))"
  ' time_fill "$1" "$2" | grep "^ms " | cut -d" " -f2
}

# time_import COUNT: milliseconds from OK in the import dialog until the
# import's closing message shows, with the list then holding COUNT + 1 items.
# The one-question test is copied for each run; its changes are not saved.
time_import() {
  QB_E2E_WAIT=1800 bash -c '
    source "'"$qb_root"'/tests/e2e/lib.sh"
    source "'"$qb_root"'/tests/e2e/cases/editor_helpers.bash"
    count=$1
    cp "$QB_E2E_RUN_DIR/one.tvt" "$CASE_DIR/one.tvt"
    start_program RUN_PID "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR" --args "$(winpath "$CASE_DIR/one.tvt")"
    get main wait-window --pid "$RUN_PID" --class Quorbelind --title-contains ": "
    need post-command "$main" IDM_FILE_IMPORT_QUESTIONS
    file_dialog "Import questions from a table:" "$(winpath "$QB_E2E_RUN_DIR/large.csv")"
    get import wait-dialog --pid "$RUN_PID" --caption "Import questions"
    # A message sent to the preview returns once the dialog has shown it.
    drive send "$import:IDC_IMPORT_PREVIEW" 0x1004 0 0 > /dev/null
    started=${EPOCHREALTIME/./}
    need press "$import:IDOK"
    get box wait-dialog --pid "$RUN_PID" --caption "Import questions" --timeout 1800000
    told=${EPOCHREALTIME/./}
    [ "$(drive send "$main:IDC_QUESTION_LIST" 0x1004 0 0)" = "$((count + 1))" ] || die "the list does not hold every question"
    need press "$box:IDOK"
    need post-command "$main" IDM_EXIT > /dev/null
    get ask wait-dialog --pid "$RUN_PID" --caption "Attention:"
    need press "$ask:IDNO"
    [ "$(wait_exit "$RUN_PID" 600)" = 0 ] || die "the program did not end with exit code 0"
    echo "ms $(( (told - started) / 1000 ))"
  ' time_import "$1" | tee -a "$QB_E2E_RUN_DIR/import.log" | grep "^ms " | cut -d" " -f2-
}

# series TEST COUNT: RUNS figures, space-separated.
series() {
  local figures=() figure i
  for ((i = 0; i < runs; i++)); do
    figure=$(time_fill "$1" "$2")
    [ -n "$figure" ] || { echo "run $((i + 1)) of $1 failed" >&2; exit 1; }
    figures+=("$figure")
  done
  echo "${figures[*]}"
}

stats() { # FIGURES...: "best median"
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[1], v[int((NR + 1) / 2)] }'
}

time_fill "$run_dir/one.tvt" 1 > /dev/null  # the prefix's first start is slower than any later one
if [ "$mode" = import ]; then
  told=()
  for ((i = 0; i < runs; i++)); do
    figure=$(time_import "$questions")
    [ -n "$figure" ] || { echo "import run $((i + 1)) failed" >&2; exit 1; }
    told+=("$figure")
  done
  read -r told_best told_median <<<"$(stats "${told[@]}")"
  echo "OK in the import dialog until \"$questions questions imported.\" (ms): ${told[*]} (best $told_best, median $told_median)"
  echo "table size: $(stat -c %s "$run_dir/large.csv") bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
  echo "windows: $windows"
  exit 0
fi
read -r -a one <<<"$(series "$run_dir/one.tvt" 1)"
read -r -a large <<<"$(series "$run_dir/large.tvt" "$questions")"
read -r one_best one_median <<<"$(stats "${one[@]}")"
read -r large_best large_median <<<"$(stats "${large[@]}")"
echo "start until 1 item listed (ms):      ${one[*]}"
echo "start until $questions items listed (ms): ${large[*]}"
echo "best / median: 1 question $one_best / $one_median ms, $questions questions $large_best / $large_median ms"
echo "opening $questions questions: $((large_best - one_best)) ms (best), $((large_median - one_median)) ms (median)"
echo "test size: $(stat -c %s "$run_dir/large.tvt") bytes; load average: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
echo "windows: $windows"
