#!/usr/bin/env bash
# The browser level: exports the sample test and a test of hostile texts and
# broken attachments with the native qbtool, then practises both pages in
# Debian's headless Chromium (practise_page.py). With --screenshots it also
# writes the README's pictures of the page into docs/.
# Ends with "N passed, N failed".
set -uo pipefail
export PYTHONDONTWRITEBYTECODE=1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
qbtool=${QB_BUILD_DIR:-$root/build}/native/qbtool/qbtool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

give_up() { echo "$1"; echo "0 passed, 1 failed"; exit 1; }
[ -x "$qbtool" ] || give_up "$qbtool is missing: build the native tree first"
"$qbtool" export "$root/samples/Astronomy.tvt" "$work/Astronomy.html" > "$work/export.log" 2>&1 ||
  give_up "the sample's export failed: $(cat "$work/export.log")"
/usr/bin/python3 "$here/make_bad_test.py" "$work" || give_up "Bad.tvt could not be written"
"$qbtool" export "$work/Bad.tvt" "$work/Bad.html" > "$work/bad-export.log" 2>&1
status=$?
[ "$status" -eq 1 ] || give_up "the export of Bad.tvt ended with $status, expected 1 for its findings"

shots=()
[ "${1:-}" = "--screenshots" ] && shots=("$root/docs")
cd "$here" && /usr/bin/python3 practise_page.py "$work/Astronomy.html" "$work/Bad.html" "${shots[@]}"
