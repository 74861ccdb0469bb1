#!/usr/bin/env bash
# Editing and removing questions of a test written here byte by byte: an
# edited answered question becomes unanswered, a cancelled edit keeps it,
# two edits before a save leave two journal records of which the save keeps
# the second, removal asks first and is left out of the save, keys are never
# reused, and removing the last question ends asking and saving.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

zebra_v1() { record_status 1 "Zebra" "Which animal has black and white stripes?" "The zebra" "" "" "" "" "" "" "" ""; }
apple() { record_status 1 "Apple" $'Which fruit fell\x02\x01on Newton?' "An apple" "A pear" "" "" "" "" "" "" ""; }
moon() { record_status 0 "Moon" "What orbits the Earth?" "The Moon" "" "" "" "" "" "" "" ""; }
questions() { zebra_v1; apple; moon; }
test_file="$CASE_DIR/MIXED.TVT"
write_test "$test_file" questions

start_test MAIN "$test_file"
# Keys follow the file order: Zebra 0, Apple 1, Moon 2; the list is sorted.
expect_eq $'Apple 3 1\nMoon 0 2\nZebra 1 0' "$(list_rows)" "the loaded test in the list"
expect_drive "Remaining: 1" "two of three are answered" status "$MAIN:IDC_STATUS_BAR" 2

# Edit mode shows the current record.
need lv-select "$MAIN:IDC_QUESTION_LIST" 0
expect_drive enabled "Edit Question on for a selected item" menu-state "$MAIN" IDM_QUESTION_EDIT
open_question_dialog dialog IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
expect_drive "Apple" "the keyword is loaded" text "$dialog:IDC_QUESTION_KEYWORD"
expect_eq "Which fruit fell|on Newton?" "$(field_text "$dialog:IDC_QUESTION_TEXT")" \
  "the question is loaded with its line break"
expect_drive "An apple" "the right answer is loaded" text "$dialog:IDC_QUESTION_RIGHT_ANSWER"
expect_drive "A pear" "wrong answer 1 is loaded" text "$dialog:IDC_QUESTION_WRONG_ANSWER1"
expect_drive "" "wrong answer 2 stays empty" text "$dialog:IDC_QUESTION_WRONG_ANSWER2"

# Cancelling the edit keeps the question answered.
need press "$dialog:IDCANCEL"
need wait-gone "$dialog"
expect_eq $'Apple 3 1\nMoon 0 2\nZebra 1 0' "$(list_rows)" "a cancelled edit keeps the answered image"
expect_drive "Remaining: 1" "a cancelled edit keeps Remaining" status "$MAIN:IDC_STATUS_BAR" 2
expect_journal_names "$test_file" "a cancelled edit writes nothing"
expect_drive grayed "Edit Question off after the edit" menu-state "$MAIN" IDM_QUESTION_EDIT
expect_drive grayed "Remove Question off after the edit" menu-state "$MAIN" IDM_QUESTION_REMOVE

# Accepting an edit of an answered question makes it unanswered.
need lv-select "$MAIN:IDC_QUESTION_LIST" 2
open_question_dialog dialog IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
need set-text "$dialog:IDC_QUESTION_RIGHT_ANSWER" "A zebra"
accept "$dialog"
expect_eq $'Apple 3 1\nMoon 0 2\nZebra 0 0' "$(list_rows)" "the edited question is listed as unanswered"
expect_drive "Remaining: 2" "Remaining rises by one" status "$MAIN:IDC_STATUS_BAR" 2
expect_eq "0" "$(drive lv-items "$MAIN:IDC_QUESTION_LIST" | awk -F'\t' '{s += $5} END {print s}')" \
  "the list selection is cleared"

# A second edit before saving: two records in the journal.
need lv-select "$MAIN:IDC_QUESTION_LIST" 2
open_question_dialog dialog IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
expect_drive "A zebra" "the second edit starts from the first edit's record" text "$dialog:IDC_QUESTION_RIGHT_ANSWER"
need set-text "$dialog:IDC_QUESTION_RIGHT_ANSWER" "Zebras"
accept "$dialog"
expect_eq 2 "$(journal_records Zebra)" "two edits leave two records in the journal"

need command "$MAIN" IDM_FILE_SAVE
zebra_v3() { record_status 0 "Zebra" "Which animal has black and white stripes?" "Zebras" "" "" "" "" "" "" "" ""; }
saved_after_edits() { zebra_v3; apple; moon; }
write_test "$CASE_DIR/after-edits.tvt" saved_after_edits
expect_same_file "$CASE_DIR/after-edits.tvt" "$test_file" "the save keeps the second edit, in file order"

# Removal asks first; No keeps the question.
need lv-select "$MAIN:IDC_QUESTION_LIST" 0
need post-command "$MAIN" IDM_QUESTION_REMOVE
get box wait-dialog --pid "$RUN_PID" --caption "Delete Question: Apple"
expect_drive "Should the selected question really be deleted for ever ?" "the removal question" \
  text "$box:MSGBOX_TEXT"
need press "$box:IDNO"
need wait-gone "$box"
expect_eq 3 "$(list_rows | wc -l)" "No keeps the question"

need lv-select "$MAIN:IDC_QUESTION_LIST" 0
need post-command "$MAIN" IDM_QUESTION_REMOVE
get box wait-dialog --pid "$RUN_PID" --caption "Delete Question: Apple"
need press "$box:IDYES"
need wait-gone "$box"
expect_eq $'Moon 0 2\nZebra 0 0' "$(list_rows)" "Yes removes the question"
expect_drive "Remaining: 2" "removing an answered question keeps Remaining" status "$MAIN:IDC_STATUS_BAR" 2
expect_drive grayed "Reset all Questions off with no answered question left" menu-state "$MAIN" IDM_TEST_RESET_ALL

# A question added after the removal gets a key of its own.
define_question "Comet" "What is a comet's tail made of?" "Gas and dust"
expect_eq $'Comet 0 3\nMoon 0 2\nZebra 0 0' "$(list_rows)" "the new question gets key 3, not a reused one"

need command "$MAIN" IDM_FILE_SAVE
comet() { record_status 0 "Comet" "What is a comet's tail made of?" "Gas and dust" "" "" "" "" "" "" "" ""; }
saved_after_removal() { zebra_v3; moon; comet; }
write_test "$CASE_DIR/after-removal.tvt" saved_after_removal
expect_same_file "$CASE_DIR/after-removal.tvt" "$test_file" \
  "the removed question is left out, the others keep their order"

# Removing every question ends asking; Save then finds nothing to save.
for i in 1 2 3; do
  need lv-select "$MAIN:IDC_QUESTION_LIST" 0
  need post-command "$MAIN" IDM_QUESTION_REMOVE
  get box wait-dialog --pid "$RUN_PID" --title-contains "Delete Question: "
  need press "$box:IDYES"
  need wait-gone "$box"
done
expect_eq "" "$(list_rows)" "the list is empty"
expect_drive "Remaining: 0" "Remaining is 0" status "$MAIN:IDC_STATUS_BAR" 2
expect_drive grayed "Ask a Question off after the last removal" menu-state "$MAIN" IDM_TEST_ASK
expect_drive disabled "Ask a Question off on the toolbar" toolbar-state "$MAIN:IDC_TOOLBAR" IDM_TEST_ASK
expect_drive grayed "Reset all Questions off" menu-state "$MAIN" IDM_TEST_RESET_ALL
need post-command "$MAIN" IDM_FILE_SAVE
get box wait-dialog --pid "$RUN_PID" --caption "Save the Test ..."
expect_drive "... no questions available !" "Save reports that no questions are left" text "$box:MSGBOX_TEXT"
need press "$box:IDOK"
need wait-gone "$box"
expect_same_file "$CASE_DIR/after-removal.tvt" "$test_file" "the refused save leaves the file alone"
