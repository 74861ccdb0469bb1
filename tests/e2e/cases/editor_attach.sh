#!/usr/bin/env bash
# The attach dialog: ticks derived from the slots, a file chosen through the
# open-file dialog stored as its full path, a cancelled file dialog attaching
# nothing, Cancel of the attach dialog keeping a choice, a "*" name kept by
# an edit, and Cancel of the question dialog storing nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

BOXES="IDC_ATTACH_QUESTION_TEXT IDC_ATTACH_QUESTION_PICTURE IDC_ATTACH_ANSWER_TEXT IDC_ATTACH_ANSWER_PICTURE"

# The four boxes' ticks, e.g. "0 0 0 1".
ticks() {
  local box out=()
  for box in $BOXES; do out+=("$(drive checked "$1:$box")"); done
  echo "${out[*]}"
}

# close_dialog DIALOG BUTTON
close_dialog() {
  need press "$1:$2"
  need wait-gone "$1"
}

# second_filter TITLE: the second entry of the file-type list of the
# open-file dialog titled TITLE; the first entry is selected again afterwards.
second_filter() {
  local dialog
  get dialog wait-dialog --pid "$RUN_PID" --caption "$1"
  need send "$dialog:$FILE_TYPE_LIST" 0x014E 1 0 > /dev/null
  drive text "$dialog:$FILE_TYPE_LIST"
  need send "$dialog:$FILE_TYPE_LIST" 0x014E 0 0 > /dev/null
}

cancel_file_dialog() { # TITLE
  local dialog
  get dialog wait-dialog --pid "$RUN_PID" --caption "$1"
  close_dialog "$dialog" IDCANCEL
}

moon() { record_status 0 "Moon" "What orbits the Earth?" "The Moon" "" "" "" "" "" "" "" "*moon.bmp"; }
test_file="$CASE_DIR/ATTACH.TVT"
write_test "$test_file" moon
cp "$test_file" "$CASE_DIR/original.tvt"
start_test MAIN "$test_file"

# Only the filled slot is ticked; an edit keeps the "*" name unchanged.
need lv-select "$MAIN:IDC_QUESTION_LIST" 0
open_question_dialog question IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
open_attach attach "$question"
expect_eq "0 0 0 1" "$(ticks "$attach")" "only the picture for the answer is ticked"
expect_eq 1 "$(button_kind "$attach:IDOK")" "the attach dialog's OK is the default button"
close_dialog "$attach" IDOK
accept "$question"
expect_eq 1 "$(grep -c -a -F '*moon.bmp' "$JOURNAL")" "the edited record keeps the * name"
need command "$MAIN" IDM_FILE_SAVE
expect_same_file "$CASE_DIR/original.tvt" "$test_file" "the saved record equals the original, * name included"

# A new question: a file chosen for box 1, a file dialog cancelled for box 2,
# and Cancel in the attach dialog.
open_question_dialog question IDM_QUESTION_NEW "$EDITOR_DEFINE_TITLE"
fill_question "$question" "Phases" "Why does the Moon show phases?" "We see its sunlit half from changing angles"
open_attach attach "$question"
expect_eq "0 0 0 0" "$(ticks "$attach")" "a new question starts with every slot empty"
need check "$attach:IDC_ATTACH_QUESTION_TEXT" 1
get file_dialog wait-dialog --pid "$RUN_PID" --caption "Text for Question"
expect_drive 0 "the attach dialog is disabled while its file dialog runs" enabled "$attach"
file_dialog "Text for Question" "moon_phases.txt"
expect_drive 1 "the attach dialog takes input again" enabled "$attach"
expect_drive 0 "the question dialog stays disabled under the attach dialog" enabled "$question"
need check "$attach:IDC_ATTACH_QUESTION_PICTURE" 1
expect_eq "All Files (*.*)" "$(second_filter "Picture for Question")" "the define form's picture filter"
cancel_file_dialog "Picture for Question"
expect_eq "1 1 0 0" "$(ticks "$attach")" "the box of the cancelled file dialog stays ticked for now"
close_dialog "$attach" IDCANCEL
open_attach attach "$question"
expect_eq "1 0 0 0" "$(ticks "$attach")" "reopened: the chosen file is kept, the cancelled choice attached nothing"
close_dialog "$attach" IDOK
accept "$question"

full_path="$(winpath "$PROGRAM_DIR")\\moon_phases.txt"
need command "$MAIN" IDM_FILE_SAVE
phases() {
  record_status 0 "Phases" "Why does the Moon show phases?" "We see its sunlit half from changing angles" \
    "" "" "" "" "$full_path" "" "" ""
}
both() { moon; phases; }
write_test "$CASE_DIR/expected.tvt" both
expect_same_file "$CASE_DIR/expected.tvt" "$test_file" "the chosen file is stored as its full path"

# Clearing a box empties its slot at once; ticking it again chooses anew.
need lv-select "$MAIN:IDC_QUESTION_LIST" 1
open_question_dialog question IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
expect_eq "Phases" "$(drive text "$question:IDC_QUESTION_KEYWORD")" "the edited question is Phases"
open_attach attach "$question"
expect_eq "1 0 0 0" "$(ticks "$attach")" "the stored text file is ticked"
need check "$attach:IDC_ATTACH_QUESTION_TEXT" 0
need check "$attach:IDC_ATTACH_ANSWER_PICTURE" 1
expect_eq "Alle Files (*.*)" "$(second_filter "Picture for Answer")" "the edit form's picture filter"
pick_filter "Picture for Answer" 1
file_dialog "Picture for Answer" "moon.bmp"
close_dialog "$attach" IDOK

# Cancel of the question dialog stores nothing.
journal_size=$(stat -c %s "$JOURNAL")
close_dialog "$question" IDCANCEL
expect_eq "$journal_size" "$(stat -c %s "$JOURNAL")" "Cancel of the question dialog writes nothing"
expect_eq $'Moon 0 0\nPhases 0 1' "$(list_rows)" "the list is unchanged after Cancel"
need command "$MAIN" IDM_FILE_SAVE
expect_same_file "$CASE_DIR/expected.tvt" "$test_file" "the cancelled edit changed nothing"

# Accepting the same changes stores them.
need lv-select "$MAIN:IDC_QUESTION_LIST" 1
open_question_dialog question IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
open_attach attach "$question"
need check "$attach:IDC_ATTACH_QUESTION_TEXT" 0
need check "$attach:IDC_ATTACH_ANSWER_PICTURE" 1
expect_eq 1 "$(shown_filter "Picture for Answer")" "the next question dialog's picture dialog keeps the filter picked"
file_dialog "Picture for Answer" "moon.bmp"
close_dialog "$attach" IDOK
accept "$question"
need command "$MAIN" IDM_FILE_SAVE
phases_picture() {
  record_status 0 "Phases" "Why does the Moon show phases?" "We see its sunlit half from changing angles" \
    "" "" "" "" "" "" "" "$(winpath "$PROGRAM_DIR")\\moon.bmp"
}
both_changed() { moon; phases_picture; }
write_test "$CASE_DIR/changed.tvt" both_changed
expect_same_file "$CASE_DIR/changed.tvt" "$test_file" "the cleared slot is empty, the new picture stored"
