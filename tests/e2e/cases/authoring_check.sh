#!/usr/bin/env bash
# File > Check test lists a question whose picture is missing; a
# double-click on the finding selects that question in the main window's
# list. Once the picture is there, the check finds nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"
source "$(dirname "$0")/authoring_helpers.bash"

sun() { record_status 0 "Sun" "Which star is nearest?" "The Sun" "" "" "" "" "" "" "" ""; }
mars() { record_status 0 "Mars" "Which planet is red?" "Mars" "" "" "" "" "" "mars.bmp" "" ""; }
venus() { record_status 0 "Venus" "Which planet is brightest?" "Venus" "" "" "" "" "" "" "" ""; }
questions() { sun; mars; venus; }
test_file="$CASE_DIR/PLANETS.TVT"
write_test "$test_file" questions
start_test MAIN "$test_file"
expect_drive enabled "Check test on for an open test" menu-state "$MAIN" IDM_FILE_CHECK_TEST
expect_drive -1 "no question is selected yet" lv-selected "$MAIN:IDC_QUESTION_LIST"

need post-command "$MAIN" IDM_FILE_CHECK_TEST
get findings wait-dialog --pid "$RUN_PID" --caption "$CHECK_CAPTION"
expect_eq $'0\tMars' "$(drive lv-items "$findings:IDC_FINDINGS_LIST" | cut -f1,2)" "one finding, of Mars"
need lv-double-click "$findings:IDC_FINDINGS_LIST" 0
need wait-gone "$findings"
# Mars is the first row of the sorted list; its key is 1.
expect_eq "Mars 0 1" "$(list_rows | head -n 1)" "Mars in the list"
eventually 0 "the double-click selects Mars" lv-selected "$MAIN:IDC_QUESTION_LIST"
expect_drive enabled "Edit Question works on the selected question" menu-state "$MAIN" IDM_QUESTION_EDIT

convert -size 8x8 xc:red BMP3:"$CASE_DIR/mars.bmp" || die "ImageMagick made no bitmap"
need post-command "$MAIN" IDM_FILE_CHECK_TEST
answer_message "$CHECK_CAPTION" "No problems found." "a clean test"

need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID" 60)" "Quorbelind ends with exit code 0"
