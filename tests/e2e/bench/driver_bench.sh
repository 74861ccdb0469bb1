#!/usr/bin/env bash
# Benchmark (not a test): the cost of one driver command answered by the
# per-case driver process ("qbdrive serve") against one Wine process per
# command, on the fixture program. Figures go into docs/benchmarks.md.
#   tests/e2e/bench/driver_bench.sh [COMMANDS]   (default 100 commands each way)
set -uo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
source "$qb_root/tests/e2e/session.sh"
count=${1:-100}

mkdir -p "$QB_BUILD_DIR/e2e"
run_dir=$(mktemp -d "$QB_BUILD_DIR/e2e/bench-XXXXXX")
trap 'qb_session_stop; rm -rf "$run_dir"' EXIT
qb_session_start "$run_dir" || exit 1
"$QB_WINE" "$QB_DRIVER" ids > "$run_dir/ids.sh"
export QB_E2E_CASE_DIR="$run_dir/case" QB_E2E_PROGRAM_DIR="$run_dir/case" QB_E2E_RUN_DIR="$run_dir"
mkdir -p "$QB_E2E_CASE_DIR"

measure() { # SERVE-MODE
  QB_E2E_SERVE=$1 bash -c '
    source "'"$qb_root"'/tests/e2e/lib.sh"
    start_program pid "$QB_WIN_BUILD/tests/e2e/qbfixture.exe"
    get main wait-window --pid "$pid" --class QbFixture
    start=${EPOCHREALTIME/./}
    for ((i = 0; i < '"$count"'; i++)); do
      drive status "$main:IDC_FIXTURE_STATUS" 1 >/dev/null || die "status failed"
    done
    echo $(( (${EPOCHREALTIME/./} - start) / '"$count"' ))
  ' | tail -n 2 | head -n 1
}

serve_us=$(measure 1)
process_us=$(measure 0)
echo "commands per way: $count"
echo "serve:   $((serve_us / 1000)).$(printf '%03d' $((serve_us % 1000))) ms per command"
echo "process: $((process_us / 1000)).$(printf '%03d' $((process_us % 1000))) ms per command"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg), cores: $(nproc)"
