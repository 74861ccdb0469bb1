#!/usr/bin/env bash
# File > Export as web page writes the open sample test as the page qbtool
# export writes of it, byte for byte; an attached file gone from the program
# directory is listed in qbtool's words, and the page is written without it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

EXPORT_TITLE="Export the test as a web page:"
EXPORT_CAPTION="Export as web page ..."
sample="$PROGRAM_DIR/Astronomy.tvt"
page="$CASE_DIR/Astronomy.html"
mkdir -p "$CASE_DIR/tool"

start_test MAIN "$sample"
expect_drive enabled "Export as web page is offered with a test open" menu-state "$MAIN" IDM_FILE_EXPORT_WEB_PAGE
expect_match $'\tExport as &web page \\.\\.\\.$' "$(drive menu "$MAIN" | awk -F'\t' -v id="$IDM_FILE_EXPORT_WEB_PAGE" '$2 == id')" \
  "the menu item's text"
need post-command "$MAIN" IDM_FILE_EXPORT_WEB_PAGE
get dialog wait-dialog --pid "$RUN_PID" --caption "$EXPORT_TITLE"
expect_drive "Web pages (*.html)" "the save dialog's filter" text "$dialog:$FILE_TYPE_LIST"
# Typed without its extension: the dialog adds ".html".
file_dialog "$EXPORT_TITLE" "$(winpath "$CASE_DIR/Astronomy")"
# Answered once the command has run, or while a message box of it is open.
need send "$MAIN" 0 0 0 > /dev/null
expect_eq 0 "$(drive count --pid "$RUN_PID" --class '#32770')" "nothing was missing, nothing is said"
expect_file "$page" "the page is written under the name typed, with .html added"
expect_no_file "$page.partial" "no working file is left"

grep -q '<meta http-equiv="Content-Security-Policy"' "$page" || fail "the page holds the Content-Security-Policy meta tag"
grep -q '<meta charset="utf-8">' "$page" || fail "the page says it is UTF-8"
grep -q 'Planets in order' "$page" || fail "the page holds a keyword of the test"
iconv -f UTF-8 -t UTF-8 "$page" > /dev/null || fail "the page is valid UTF-8"

"$QB_WINE" "$PROGRAM_DIR/qbtool.exe" export "$(winpath "$sample")" "$(winpath "$CASE_DIR/tool/Astronomy.html")" \
  > "$CASE_DIR/tool.out" 2>&1
expect_eq 0 $? "qbtool.exe export of the sample exit code"
expect_same_file "$CASE_DIR/tool/Astronomy.html" "$page" "the program's page is qbtool's, byte for byte"

# A picture gone: the page is written all the same, the box lists it as qbtool does.
mv "$PROGRAM_DIR/stars.bmp" "$CASE_DIR/stars.bmp"
"$QB_WINE" "$PROGRAM_DIR/qbtool.exe" export "$(winpath "$sample")" "$(winpath "$CASE_DIR/tool/Lacking.html")" \
  > "$CASE_DIR/tool.out" 2>&1
expect_eq 1 $? "qbtool.exe export exit code with a picture missing"
findings=$(tr -d '\r' < "$CASE_DIR/tool.out" | grep ': question ' | sed 's/^.*Astronomy\.tvt: //')
[ -n "$findings" ] || die "qbtool reports no missing picture: $(cat "$CASE_DIR/tool.out")"
count=$(wc -l <<<"$findings")

need post-command "$MAIN" IDM_FILE_EXPORT_WEB_PAGE
file_dialog "$EXPORT_TITLE" "$(winpath "$CASE_DIR/Lacking.html")"
get box wait-dialog --pid "$RUN_PID" --caption "$EXPORT_CAPTION"
expect_eq "The web page was written, but $count attached files could not be put into it:

$findings

The page shows nothing in their place." "$(drive text "$box:MSGBOX_TEXT" | tr -d '\r')" \
  "the files the page lacks, in qbtool's words"
need press "$box:IDOK"
need wait-gone "$box"
expect_same_file "$CASE_DIR/tool/Lacking.html" "$CASE_DIR/Lacking.html" "the page without the picture is qbtool's too"
expect_drive "Asked: 0" "the counters are back in the status bar" status "$MAIN:IDC_STATUS_BAR" 0

need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "the program ends with exit code 0"
