#!/usr/bin/env bash
# The web page export of the generated 10,000-question test (web-page-bench),
# then the page opened in Debian's headless Chromium until its first question
# is asked (web_page_in_browser.py). Builds the bench in the native tree.
#   tools/bench/web_page_bench.sh [questions]
set -euo pipefail
export PYTHONDONTWRITEBYTECODE=1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${QB_BUILD_DIR:-$root/build}/native
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target web-page-bench >/dev/null
"$build/tools/bench/web-page-bench" "$work" "${1:-10000}"
echo
/usr/bin/python3 "$root/tools/bench/web_page_in_browser.py" "$work/bench.html"
