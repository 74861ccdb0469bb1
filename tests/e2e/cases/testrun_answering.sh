#!/usr/bin/env bash
# Practising a test written here byte by byte: asking the selected question,
# the answers of a multiple-choice question, right and wrong clicks, marking,
# resetting, the last question, and the answered states kept by Save.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"

questions() {
  # Wrong answers 1 and 3 empty: the two others must still sit in adjacent rows.
  record "Capital" $'Which city is the capital\x02\x01of France?' "Paris" "" "Rome" "" "Madrid" "" "" "" ""
  record "Mind" "Seven times six?" "42" "" "" "" "" "" "" "" ""
  record "Colour" "Colour of a clear sky?" "Blue" "Green" "" "" "" "" "" "" ""
}
test_file="$CASE_DIR/RUN.TVT"
write_test "$test_file" questions
# The list shows Capital, Colour, Mind.
CAPITAL=0 COLOUR=1 MIND=2

start_test MAIN "$test_file"
expect_counters "Asked: 0" "Correct: 0 (0.00 %)" "Remaining: 3" "after opening"
expect_drive enabled "Ask a Question enabled for a test with questions" menu-state "$MAIN" IDM_TEST_ASK
expect_drive grayed "Show answer off before asking" menu-state "$MAIN" IDM_TEST_SHOW_ANSWER

# The selected question is asked.
ask_item $CAPITAL
expect_drive "Capital" "keyword label" text "$(pane IDC_KEYWORD_LABEL)"
expect_eq "Which city is the capital|of France?" "$(drive text "$(pane IDC_QUESTION_BOX)" | tr -d '\r' | paste -sd '|')" \
  "question box with its line break restored"
expect_eq $'Madrid\nParis\nRome' "$(shown_answers | sort)" "all three answers are shown"
expect_drive 0 "no fourth answer row" visible "$(answer_box 3)"
expect_drive 0 "no fifth answer row" visible "$(answer_box 4)"
expect_drive 1 "question marker shown" visible "$(pane IDC_QUESTION_MARKER)"
expect_drive enabled "Mark as answered on for an unanswered question" menu-state "$MAIN" IDM_TEST_MARK_ANSWERED
expect_drive enabled "Show answer on" toolbar-state "$MAIN:IDC_TOOLBAR" IDM_TEST_SHOW_ANSWER
expect_drive grayed "Reset Question off while asking" menu-state "$MAIN" IDM_TEST_RESET
expect_counters "Asked: 1" "Correct: 0 (0.00 %)" "Remaining: 3" "after asking"
expect_rows 4 "rows of four"
# Resizing the main window lays the rows out again.
need move "$MAIN" 0 0 900 560
expect_rows 4 "rows of four after resizing"

# The right answer clicked: revealed, marked, counted.
click_marker "$(row_of Paris)"
eventually "Paris" "the right answer is revealed in the first row" text "$(answer_box 0)"
expect_eq "Paris" "$(shown_answers)" "only the revealed answer is shown"
expect_counters "Asked: 1" "Correct: 1 (100.00 %)" "Remaining: 2" "after the right answer"
expect_image $CAPITAL 3 "the answered multiple-choice question's image"
expect_drive grayed "Mark as answered off after marking" menu-state "$MAIN" IDM_TEST_MARK_ANSWERED

# A wrong answer first, then the right one: revealed but not counted.
ask_item $COLOUR
green_row=$(row_of Green)
read -r left top _ _ <<<"$(drive rect "$MAIN:IDC_TEST_PANE:$((IDC_ANSWER_MARKER_FIRST + green_row))")"
marker_colour=$(screen_pixel $((left + 8)) $((top + 8)))
click_marker "$green_row"
deadline=$((SECONDS + 10))
until [ "$(screen_pixel $((left + 8)) $((top + 8)))" = "$(inverted "$marker_colour")" ] || [ $SECONDS -ge $deadline ]; do :; done
expect_eq "$(inverted "$marker_colour")" "$(screen_pixel $((left + 8)) $((top + 8)))" "the wrong answer's marker is drawn inverted"
expect_counters "Asked: 2" "Correct: 1 (50.00 %)" "Remaining: 2" "after a wrong answer"
expect_eq $'Blue\nGreen' "$(shown_answers | sort)" "a wrong click reveals nothing"
click_marker "$(row_of Blue)"
eventually "Blue" "the right answer after a wrong one is revealed" text "$(answer_box 0)"
expect_drive 0 "the wrong answer's row is hidden" visible "$(answer_box 1)"
expect_counters "Asked: 2" "Correct: 1 (50.00 %)" "Remaining: 2" "right after wrong is not counted"
expect_image $COLOUR 2 "the question stays unanswered"
need post-command "$MAIN" IDM_TEST_MARK_ANSWERED
expect_box "There is no question displayed !" "a second Mark as answered finds no question"
expect_image $COLOUR 2 "still unanswered after Mark as answered"

# Reset Question on the answered question selected in the list.
need lv-select "$MAIN:IDC_QUESTION_LIST" $CAPITAL
expect_drive enabled "Reset Question on for an answered item" menu-state "$MAIN" IDM_TEST_RESET
need command "$MAIN" IDM_TEST_RESET
expect_image $CAPITAL 2 "Reset Question restores the image"
expect_counters "Asked: 2" "Correct: 1 (50.00 %)" "Remaining: 3" "Reset Question keeps Asked and Correct"
expect_drive grayed "Reset Question off afterwards" menu-state "$MAIN" IDM_TEST_RESET

# A single-answer question: nothing shown until Show answer; F4 marks it.
ask_item $CAPITAL
click_marker "$(row_of Paris)"
ask_item $MIND
expect_eq "" "$(shown_answers)" "a single-answer question shows no answer"
need command "$MAIN" IDM_TEST_SHOW_ANSWER
expect_drive "42" "Show answer puts the answer in the first row" text "$(answer_box 0)"
expect_drive grayed "Show answer off once shown" menu-state "$MAIN" IDM_TEST_SHOW_ANSWER
need move "$MAIN" 0 0 1000 640
read -r width height <<<"$(drive client-size "$MAIN:IDC_TEST_PANE")"
read -r l t r b <<<"$(drive rect "$(answer_box 0)")"
expect_eq "$(( (height - 50) / 2 ))" "$((b - t))" "the shown answer keeps half the pane after resizing"
need keys "$MAIN" F4
expect_counters "Asked: 4" "Correct: 3 (75.00 %)" "Remaining: 1" "after F4"
expect_image $MIND 1 "the answered single-answer question's image"

# Reset all Questions.
expect_drive enabled "Reset all on while questions are answered" menu-state "$MAIN" IDM_TEST_RESET_ALL
need command "$MAIN" IDM_TEST_RESET_ALL
expect_image $CAPITAL 2 "Reset all: Capital"
expect_image $MIND 0 "Reset all: Mind"
expect_counters "Asked: 4" "Correct: 3 (75.00 %)" "Remaining: 3" "Reset all keeps Asked and Correct"
expect_drive grayed "Reset all off afterwards" menu-state "$MAIN" IDM_TEST_RESET_ALL
expect_drive enabled "Ask on afterwards" menu-state "$MAIN" IDM_TEST_ASK

# Every question answered: the last one is announced and asking stops.
ask_item $CAPITAL
click_marker "$(row_of Paris)"
ask_item $COLOUR
click_marker "$(row_of Blue)"
ask_item $MIND
click_marker -1
eventually "42" "the question marker shows the answer" text "$(answer_box 0)"
need post-command "$MAIN" IDM_TEST_MARK_ANSWERED
expect_box "All questions are answered ..." "the last question marked"
expect_counters "Asked: 7" "Correct: 6 (85.71 %)" "Remaining: 0" "all answered"
expect_drive grayed "Ask a Question off" menu-state "$MAIN" IDM_TEST_ASK
expect_drive disabled "Ask a Question off on the toolbar" toolbar-state "$MAIN:IDC_TOOLBAR" IDM_TEST_ASK
need post-command "$MAIN" IDM_TEST_ASK
expect_box "No question available !" "asking with nothing left"

# Saved, closed and opened again: the answered states are kept.
need command "$MAIN" IDM_FILE_SAVE
need command "$MAIN" IDM_FILE_CLOSE
expect_eq "" "$(drive lv-items "$MAIN:IDC_QUESTION_LIST")" "Close empties the list"
need post-command "$MAIN" IDM_EXIT
wait_exit "$RUN_PID" >/dev/null || fail "the program did not end"
start_test MAIN "$test_file"
expect_image $CAPITAL 3 "Capital answered after opening again"
expect_image $COLOUR 3 "Colour answered after opening again"
expect_image $MIND 1 "Mind answered after opening again"
expect_counters "Asked: 0" "Correct: 0 (0.00 %)" "Remaining: 0" "after opening again"
need post-command "$MAIN" IDM_TEST_ASK
expect_box "No question available !" "nothing left to ask after opening again"
expect_drive enabled "Reset all on" menu-state "$MAIN" IDM_TEST_RESET_ALL

# Options > Details: the same rows under the "Keyword" and "Missed" columns
# (Colour's wrong answer above was its one miss; Mind, shown and marked, then
# reset, was none); a header click sorts; selection and Edit work
# as in the plain list; the choice is stored at once.
list="$MAIN:IDC_QUESTION_LIST"
rows_before=$(drive lv-items "$list" | cut -f1-4)
expect_drive 0 "Details unchecked at first" menu-checked "$MAIN" IDM_OPTIONS_DETAILS
need command "$MAIN" IDM_OPTIONS_DETAILS
expect_drive 1 "Details checked" menu-checked "$MAIN" IDM_OPTIONS_DETAILS
expect_reg "$KEY_USER" ListDetails 1 "the details choice is stored at once"
expect_eq 1 "$(( $(drive style "$list" | cut -d' ' -f1) & 3 ))" "the list is a report view"
expect_eq $'Keyword\nMissed' "$(drive lv-columns "$list")" "the two columns"
expect_eq "$rows_before" "$(drive lv-items "$list" | cut -f1-4)" "the same rows, images and keys"
expect_eq "|1|" "$(drive lv-cells "$list" 1 | cut -f2 | paste -sd '|')" "Missed: 1 for Colour, blank for the others"
need lv-header-click "$list" 1
need lv-header-click "$list" 0
eventually_keywords "Capital Colour Mind" "back in keyword order after the Keyword header"
need lv-select "$list" $COLOUR
expect_drive enabled "Edit Question on for the row selected in the details view" menu-state "$MAIN" IDM_QUESTION_EDIT
need post-command "$MAIN" IDM_QUESTION_EDIT
get dialog wait-dialog --pid "$RUN_PID" --caption "Edit Question"
expect_drive "Colour" "Edit loads the selected row's question" text "$dialog:IDC_QUESTION_KEYWORD"
need press "$dialog:IDCANCEL"
need wait-gone "$dialog"
need command "$MAIN" IDM_OPTIONS_DETAILS
expect_drive 0 "Details unchecked again" menu-checked "$MAIN" IDM_OPTIONS_DETAILS
expect_reg "$KEY_USER" ListDetails 0 "the plain list is stored at once"
expect_eq 3 "$(( $(drive style "$list" | cut -d' ' -f1) & 3 ))" "the plain list again"
expect_eq "$rows_before" "$(drive lv-items "$list" | cut -f1-4)" "the plain list keeps the rows"

# A record cut short after opening (in its first wrong answer): what was read
# is shown, the keyword, the question and the right answer, before the file
# error; the answer that could not be read gets no row.
need post-command "$MAIN" IDM_EXIT
wait_exit "$RUN_PID" >/dev/null || fail "the program did not end"
cut_short() { record "Moons" "Which moon is the largest?" "Ganymede" "Titan" "" "" "" "" "" "" ""; }
write_test "$CASE_DIR/CUT.TVT" cut_short
start_test MAIN "$CASE_DIR/CUT.TVT"
truncate -s -5 "$CASE_DIR/CUT.TVT"
need lv-select "$MAIN:IDC_QUESTION_LIST" 0
need post-command "$MAIN" IDM_TEST_ASK
get box wait-dialog --pid "$RUN_PID" --caption "An error occured ..."
expect_drive "... while accessing a file !" "the cut record is a file error" text "$box:MSGBOX_TEXT"
need press "$box:IDOK"
expect_box "Error in file structure. The question cannot be displayed !" "Ask reports the failed display"
expect_drive "Moons" "the keyword read is shown" text "$(pane IDC_KEYWORD_LABEL)"
expect_drive 1 "the question read is shown" visible "$(pane IDC_QUESTION_BOX)"
expect_drive "Which moon is the largest?" "the question box holds it" text "$(pane IDC_QUESTION_BOX)"
expect_eq "Ganymede" "$(shown_answers)" "only the answer read is shown"

# Learning from misses. A wrong click and the next Ask count a miss, which
# Save writes after the status; missed first asks that question again, Undo
# takes a miss back; Ctrl + 1 to 5 answer as clicks do.
need post-command "$MAIN" IDM_EXIT
wait_exit "$RUN_PID" >/dev/null || fail "the program did not end"
learning() {
  STATUS_LINE=$1 record "Planet" "Largest planet?" "Jupiter" "Mars" "Venus" "" "" "" "" "" ""
  record "Star" "Nearest star?" "Sun" "Vega" "" "" "" "" "" "" ""
}
unmissed() { learning 0; }
missed_once() { learning "0 1"; }
write_test "$CASE_DIR/MOUSE.TVT" unmissed
cp "$CASE_DIR/MOUSE.TVT" "$CASE_DIR/KEYS.TVT"
write_test "$CASE_DIR/EXPECTED.TVT" missed_once
PLANET=0 STAR=1
start_test MAIN "$CASE_DIR/MOUSE.TVT"
expect_eq $'grayed\t&Undo' "$(menu_item "$IDM_EDIT_UNDO")" "nothing to undo after opening"
ask_item $PLANET
click_marker "$(row_of Mars)"
click_marker "$(row_of Jupiter)"
eventually "Jupiter" "the right answer after a wrong one" text "$(answer_box 0)"
ask_item $STAR
expect_counters "Asked: 2" "Correct: 0 (0.00 %)" "Remaining: 2" "wrong, then right, by mouse"
expect_eq $'enabled\t&Undo Missed' "$(menu_item "$IDM_EDIT_UNDO")" "the next Ask counted the miss"
need command "$MAIN" IDM_FILE_SAVE
expect_same_file "$CASE_DIR/EXPECTED.TVT" "$CASE_DIR/MOUSE.TVT" "Save writes the count after the status: 0 1"
expect_reg "$KEY_USER" MissedFirst 0 "missed first is off and stored so"
need command "$MAIN" IDM_TEST_MISSED_FIRST
expect_reg "$KEY_USER" MissedFirst 1 "the choice is stored at once"
need command "$MAIN" IDM_TEST_ASK
expect_drive "Planet" "missed first asks the missed question" text "$(pane IDC_KEYWORD_LABEL)"
click_marker "$(row_of Venus)"
need command "$MAIN" IDM_TEST_ASK
expect_drive "Planet" "and asks it again while it is the only one missed" text "$(pane IDC_KEYWORD_LABEL)"
expect_eq $'enabled\t&Undo Missed' "$(menu_item "$IDM_EDIT_UNDO")" "the second miss"
need command "$MAIN" IDM_EDIT_UNDO
need command "$MAIN" IDM_FILE_SAVE
expect_same_file "$CASE_DIR/EXPECTED.TVT" "$CASE_DIR/MOUSE.TVT" "Undo took the second miss back"
need post-command "$MAIN" IDM_EXIT
wait_exit "$RUN_PID" >/dev/null || fail "the program did not end"

# The same answers from the keyboard: the same counters and bytes.
start_test MAIN "$CASE_DIR/KEYS.TVT"
expect_drive grayed "no answer keys before asking" menu-state "$MAIN" IDM_TEST_ANSWER_1
ask_item $PLANET
expect_drive enabled "answer keys while answer rows are shown" menu-state "$MAIN" IDM_TEST_ANSWER_5
answer_key Mars
need keys "$MAIN" ctrl+5
answer_key Jupiter
eventually "Jupiter" "Ctrl + the right row reveals it" text "$(answer_box 0)"
expect_drive grayed "no answer keys once the answer is shown" menu-state "$MAIN" IDM_TEST_ANSWER_1
ask_item $STAR
expect_counters "Asked: 2" "Correct: 0 (0.00 %)" "Remaining: 2" "wrong, then right, by keys"
need command "$MAIN" IDM_FILE_SAVE
expect_same_file "$CASE_DIR/EXPECTED.TVT" "$CASE_DIR/KEYS.TVT" "the keys save the same bytes"

# Undo after Reset all Questions restores every image and counter.
answer_key Sun
ask_item $PLANET
answer_key Jupiter
expect_box "All questions are answered ..." "both answered by keys"
expect_counters "Asked: 3" "Correct: 2 (66.67 %)" "Remaining: 0" "both answered"
need command "$MAIN" IDM_TEST_RESET_ALL
expect_image $PLANET 2 "Reset all: Planet"
expect_image $STAR 2 "Reset all: Star"
expect_eq $'enabled\t&Undo Reset all Questions' "$(menu_item "$IDM_EDIT_UNDO")" "Undo names Reset all Questions"
need keys "$MAIN" ctrl+z
eventually "Remaining: 0" "Ctrl + Z takes Reset all Questions back" status "$MAIN:IDC_STATUS_BAR" 2
expect_counters "Asked: 3" "Correct: 2 (66.67 %)" "Remaining: 0" "Undo restores the counters"
expect_image $PLANET 3 "Undo: Planet answered again"
expect_image $STAR 3 "Undo: Star answered again"
expect_drive enabled "Reset all offered again" menu-state "$MAIN" IDM_TEST_RESET_ALL
