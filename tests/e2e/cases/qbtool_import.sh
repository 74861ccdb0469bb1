#!/usr/bin/env bash
# qbtool.exe imports a table as a spreadsheet saves it (semicolons, a byte
# order mark, accents, a quoted cell over two lines); Quorbelind opens the
# test it wrote, lists every keyword and shows the line break as one.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"

table="$CASE_DIR/questions.csv"
test_file="$CASE_DIR/IMPORTED.TVT"
printf '\xEF\xBB\xBFKeyword;Question;Right answer;Wrong answer 1\r\n' > "$table"
printf 'Caf\xC3\xA9;"Where do you\r\ndrink it?";"At home; outside";Nowhere\r\n' >> "$table"
printf 'Tea;Hot or cold?;Hot;\r\nZebra;Stripes?;Yes;No\r\n' >> "$table"

output=$("$QB_WINE" "$PROGRAM_DIR/qbtool.exe" import "$(winpath "$table")" "$(winpath "$test_file")" 2>&1)
status=$?
expect_eq 0 "$status" "qbtool.exe import exit code"
expect_eq "$(winpath "$test_file"): 3 questions written" "$(tr -d '\r' <<<"$output")" "qbtool.exe import output"

questions() {
  record $'Caf\xe9' $'Where do you\x02\x01drink it?' "At home; outside" "Nowhere" "" "" "" "" "" "" ""
  record "Tea" "Hot or cold?" "Hot" "" "" "" "" "" "" "" ""
  record "Zebra" "Stripes?" "Yes" "No" "" "" "" "" "" "" ""
}
write_test "$CASE_DIR/expected.tvt" questions
expect_same_file "$CASE_DIR/expected.tvt" "$test_file" "the imported test, byte for byte"

start_test MAIN "$test_file"
keywords=$(drive lv-items "$MAIN:IDC_QUESTION_LIST" | cut -f2 | sort | paste -sd '|')
expect_eq $'Caf\xe9|Tea|Zebra' "$keywords" "every keyword is listed"
item=$(drive lv-items "$MAIN:IDC_QUESTION_LIST" | grep -n $'\tCaf\xe9\t' | cut -d: -f1)
ask_item $((item - 1))
expect_eq "Where do you|drink it?" "$(drive text "$(pane IDC_QUESTION_BOX)" | tr -d '\r' | paste -sd '|')" \
  "the line break of the table's cell is shown as a line break"
expect_eq $'Where do you\r\ndrink it?' "$(drive text "$(pane IDC_QUESTION_BOX)")" "the line break is CR LF"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "Quorbelind's exit code"
