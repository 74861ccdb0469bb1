#!/usr/bin/env bash
# qbtool.exe imports a table as a spreadsheet saves it (semicolons, a byte
# order mark, accents, a quoted cell over two lines); Quorbelind opens the
# test it wrote, lists every keyword and shows the line break as one. A
# UTF-16 table is read; a refused character is shown in the console.
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

# A "Unicode text" table (UTF-16 LE, tab-separated, no last line end) of one
# question, and one with a character Windows-1252 has no form for: the
# console shows it in UTF-8.
printf 'keyword\tquestion\tright answer\r\nNa\xefve\tq\ta' | iconv -f latin1 -t utf-16 > "$CASE_DIR/unicode.txt"
output=$("$QB_WINE" "$PROGRAM_DIR/qbtool.exe" import "$(winpath "$CASE_DIR/unicode.txt")" "$(winpath "$CASE_DIR/u.tvt")" 2>&1)
expect_eq "$(winpath "$CASE_DIR/u.tvt"): 1 question written" "$(tr -d '\r' <<<"$output")" "a UTF-16 table of one question"
printf 'k,\xC5\x82,a\r\n' > "$CASE_DIR/polish.csv"
output=$("$QB_WINE" "$PROGRAM_DIR/qbtool.exe" import --no-header "$(winpath "$CASE_DIR/polish.csv")" "$(winpath "$CASE_DIR/p.tvt")" 2>&1)
expect_eq "$(winpath "$CASE_DIR/polish.csv"): row 1, question: 'ł' (U+0142) has no Windows-1252 form
$(winpath "$CASE_DIR/polish.csv"): nothing written" "$(tr -d '\r' <<<"$output")" "the character is shown beside its code point"
expect_no_file "$CASE_DIR/p.tvt" "nothing is written for a refused table"

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
