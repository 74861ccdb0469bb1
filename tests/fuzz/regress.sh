#!/usr/bin/env bash
# The fuzz targets' regression run: builds them with clang, runs each over its
# committed corpus and then for a fixed number of mutated inputs (fixed seed),
# seconds in all. New inputs go to a scratch directory, never into the corpus.
# Ends with "N passed, N failed", one count per target.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$("$here/build.sh") || { echo "0 passed, 1 failed"; exit 1; }
runs=${QB_FUZZ_RUNS:-2000}
scratch=$(dirname "$bin")/regress-scratch
passed=0
failed=0
for corpus in "$here"/corpus/*/; do
  name=$(basename "$corpus")
  target="$bin/${name}_fuzz"
  if [ ! -x "$target" ]; then
    echo "FAILED $name: no target program ${name}_fuzz"
    failed=$((failed + 1))
    continue
  fi
  rm -rf "$scratch/$name" && mkdir -p "$scratch/$name"
  log="$scratch/$name.log"
  # Every committed input once, then mutations of them.
  if "$target" -runs="$runs" -seed=1 -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$scratch/$name/" "$scratch/$name" "$corpus" > "$log" 2>&1; then
    echo "passed $name: $(grep -Eo 'Done [0-9]+ runs' "$log" | tail -n 1)"
    passed=$((passed + 1))
  else
    echo "FAILED $name (log: $log)"
    grep -E 'ERROR|check failed|SUMMARY|artifact' "$log" | head -n 8 | sed 's/^/    /'
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
