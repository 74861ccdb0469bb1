#!/usr/bin/env bash
# Regenerates everything in samples/ that is made by a program: the bitmaps
# and Astronomy.tvt. Builds make-sample in the native tree first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QB_BUILD_DIR:-$root/build}/native
"$root/tools/make-sample/make-bitmaps.sh" "$root/samples"
cmake --build "$build" --target make-sample
"$build/tools/make-sample/make-sample" "$root/samples"
