#!/usr/bin/env bash
# The details view of a test whose questions were missed, written byte by
# byte: the "Missed" column shows each count (blank for none), a click on its
# header puts the most missed first, the Keyword header restores the keyword
# order, and the view comes back at the next start. Takes the picture of the
# details view the read-me shows (details-view.png in the case's directory).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"

# missed_record KEYWORD STATUS-LINE QUESTION ANSWER WRONG: one record whose
# status line is given as stored, its count after the status.
missed_record() {
  local slot slots=("$3" "$4" "$5" "" "" "" "" "" "" "")
  printf '%s\r\n' "$1"
  for slot in "${slots[@]}"; do printf '%d\r\n' "${#slot}"; done
  printf '%s\r\n' "$2"
  for slot in "${slots[@]}"; do printf '%s' "$slot"; done
}
questions() {
  missed_record "Venus" "0 3" "Which planet is the hottest?" "Venus" "Mercury"
  missed_record "Apple" "0" "Which fruit fell on Newton?" "An apple" "A pear"
  missed_record "Moon" "1 12" "Which moon is the largest?" "Ganymede" "Titan"
  missed_record "Comet" "0 3" "Halley's comet returns every ... years?" "76" "100"
}
test_file="$CASE_DIR/MISSED.TVT"
write_test "$test_file" questions

need reg-set "$KEY_USER" WindowPosMain "00000,00000,00640,00400"
start_test MAIN "$test_file"
list="$MAIN:IDC_QUESTION_LIST"
need command "$MAIN" IDM_OPTIONS_DETAILS
expect_eq "Apple Comet Moon Venus" "$(list_keywords)" "keyword order at first"
expect_eq "|3|12|3" "$(drive lv-cells "$list" 1 | cut -f2 | paste -sd '|')" "each count, blank for none"

need lv-header-click "$list" 1
eventually_keywords "Moon Comet Venus Apple" "most missed first, equal counts by keyword"
expect_eq "12|3|3|" "$(drive lv-cells "$list" 1 | cut -f2 | paste -sd '|')" "the counts go with their rows"
need lv-select "$list" 0
read -r left top right bottom <<<"$(drive rect "$MAIN")"
screenshot "$CASE_DIR/screen.png"
convert "$CASE_DIR/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
  "$CASE_DIR/details-view.png" || fail "cannot crop the picture of the details view"
need lv-header-click "$list" 0
eventually_keywords "Apple Comet Moon Venus" "the Keyword header restores the keyword order"

need post-command "$MAIN" IDM_EXIT
wait_exit "$RUN_PID" >/dev/null || fail "the program did not end"
start_test MAIN "$test_file"
list="$MAIN:IDC_QUESTION_LIST"
expect_drive 1 "Details is still checked at the next start" menu-checked "$MAIN" IDM_OPTIONS_DETAILS
expect_eq "|3|12|3" "$(drive lv-cells "$list" 1 | cut -f2 | paste -sd '|')" "the counts at the next start"
need post-command "$MAIN" IDM_EXIT
wait_exit "$RUN_PID" >/dev/null || fail "the program did not end"
