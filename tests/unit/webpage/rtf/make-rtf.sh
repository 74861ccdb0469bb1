#!/usr/bin/env bash
# Rewrites the rich-text files of these tests from comets.html with three
# word processors of Debian (libreoffice-writer-nogui, abiword, pandoc), so the
# converter is tested on what real programs write. The files are kept in the
# tree; this is run only to make them anew.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/comets.html" "$work/comets.html"
soffice --headless -env:UserInstallation="file://$work/profile" --convert-to rtf:"Rich Text Format" \
  --outdir "$work/libreoffice" "$work/comets.html" >/dev/null 2>&1
abiword --to=rtf -o "$work/abiword.rtf" "$work/comets.html"
pandoc -s "$work/comets.html" -t rtf -o "$work/pandoc.rtf"
cp "$work/libreoffice/comets.rtf" "$here/comets-libreoffice.rtf"
cp "$work/abiword.rtf" "$here/comets-abiword.rtf"
cp "$work/pandoc.rtf" "$here/comets-pandoc.rtf"
