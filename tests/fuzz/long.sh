#!/usr/bin/env bash
# The long fuzz run: each named target (default: all) runs until it has done
# QB_FUZZ_RUNS executions (default 10 million) or QB_FUZZ_SECONDS have passed
# (default 1800), one target after another, as one process each. The working
# corpus and any crash are kept in <build>/fuzz/long/<target>/; the committed
# seeds are only read. Prints the last status line of every run.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$("$here/build.sh") || exit 1
runs=${QB_FUZZ_RUNS:-10000000}
seconds=${QB_FUZZ_SECONDS:-1800}
work=$(dirname "$bin")/long
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for corpus in "$here"/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi
status=0
for name in "${targets[@]}"; do
  mkdir -p "$work/$name/corpus" "$work/$name/crashes"
  log="$work/$name/run.log"
  "$bin/${name}_fuzz" -runs="$runs" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/$name/crashes/" \
    "$work/$name/corpus" "$here/corpus/$name" > "$log" 2>&1
  rc=$?
  echo "$name: exit $rc; $(grep -E '^#[0-9]+' "$log" | tail -n 1)"
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$log"
  ls "$work/$name/crashes"
  [ "$rc" -eq 0 ] || status=1
done
exit $status
