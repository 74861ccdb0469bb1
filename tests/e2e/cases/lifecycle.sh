#!/usr/bin/env bash
# A test's whole life, as its author and a new learner live it: the author
# writes a test in Quorbelind through its dialogs (one question with an
# attached RTF text and bitmap), saves it and exports it with Creator; on a
# machine that knows nothing of the system, Install installs the distribution
# directory, the test opens through its file association and is practised to
# the end; Uninstall then leaves no file, registry entry or shortcut behind.
source "$(dirname "$0")/../lib.sh"
# Two helper groups use the name answer_box, one for a message box and one for
# an answer field: each phase below sources the group it uses as it begins.
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

author=$CASE_DIR/author
originals=$CASE_DIR/originals
mkdir -p "$author" "$originals"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Every cell comes from a cell.\\par}\r\n' > "$author/cell.rtf"
convert -size 64x48 xc:'#0000ff' -fill '#ffff00' -draw 'rectangle 0,0 7,7' BMP3:"$author/a..b.bmp" ||
  die "ImageMagick made no bitmap"
cp "$author/cell.rtf" "$author/a..b.bmp" "$originals/"
# Saving writes the extension in capitals; the name is given so from the start.
test_file=$author/Biology.TVT

# The author: New, two questions through the question dialog, the first with
# files chosen in the attach dialog's file dialogs, Save.
start_program RUN_PID "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR"
get MAIN wait-window --pid "$RUN_PID" --class Quorbelind --timeout 30000
need post-command "$MAIN" IDM_FILE_NEW
file_dialog "Create a new Test:" "$(winpath "$test_file")"
eventually "Quorbelind V1.00: $(winpath "$test_file")" "the new test is open" text "$MAIN"

open_question_dialog question IDM_QUESTION_NEW "$EDITOR_DEFINE_TITLE"
fill_question "$question" "Cells" "What is the unit of life?" "The cell"
open_attach attach "$question"
need check "$attach:IDC_ATTACH_QUESTION_TEXT" 1
file_dialog "Text for Question" "$(winpath "$author/cell.rtf")"
need check "$attach:IDC_ATTACH_QUESTION_PICTURE" 1
file_dialog "Picture for Question" "$(winpath "$author/a..b.bmp")"
need press "$attach:IDOK"
need wait-gone "$attach"
accept "$question"
define_question "Nucleus" "Where is the DNA of a cell kept?" "In the nucleus" "In the membrane" "In the ribosomes"
need command "$MAIN" IDM_FILE_SAVE
written() {
  record_status 0 "Cells" "What is the unit of life?" "The cell" "" "" "" "" \
    "$(winpath "$author")\\cell.rtf" "$(winpath "$author")\\a..b.bmp" "" ""
  record_status 0 "Nucleus" "Where is the DNA of a cell kept?" "In the nucleus" "In the membrane" \
    "In the ribosomes" "" "" "" "" "" ""
}
write_test "$CASE_DIR/written.tvt" written
expect_same_file "$CASE_DIR/written.tvt" "$test_file" "the saved test holds both questions and the chosen files"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID" 60)" "the author's Quorbelind ends with exit code 0"

# The export, on the author's machine where the programs are installed.
source "$(dirname "$0")/creator_helpers.bash"
set_data_path "$PROGRAM_DIR"
start_creator creator
choose_test "$creator" "$test_file"
destination_dialog dialog "$creator"
need set-text "$dialog:IDC_DESTINATION_NAME" Disk > /dev/null
need press "$dialog:IDOK" > /dev/null
answer_box "$creator" "$CREATOR_EXPORT_CAPTION" "$CREATOR_COMPLETE" IDOK "Creator reports a complete export"
expect_exit_zero "$creator" "Creator ends with exit code 0"
[ -f "$PROGRAM_DIR/Disk/TEST.LST" ] || die "Creator wrote no distribution directory"

# The learner's machine: the distribution directory is all it gets; nothing
# of the author's files, programs or registry entries is left.
source "$(dirname "$0")/setup_helpers.bash"
cp -a "$PROGRAM_DIR/Disk" "$CASE_DIR/floppy"
rm -rf "$author" "$PROGRAM_DIR"
need reg-delete 'HKCU\Software\Tolvexia' 'HKLM\Software\Tolvexia' 'HKU\.Default\Software\Tolvexia' \
  'HKCR\.tvt' 'HKCR\Quorbelind' "$KEY_UNINSTALL_ENTRY" > /dev/null
expect_eq "" "$(shortcut_files)" "the new machine has no shortcut of the program"
home=$CASE_DIR/Learner
run_full_install "$CASE_DIR/floppy" "$(winpath "$home")" IDC_SHORTCUT_DESKTOP
expect_ne "" "$(shortcut_files)" "Install made the desktop shortcut"
installed() {
  record_status 0 "Cells" "What is the unit of life?" "The cell" "" "" "" "" "*cell.rtf" "*a..b.bmp" "" ""
  record_status 0 "Nucleus" "Where is the DNA of a cell kept?" "In the nucleus" "In the membrane" \
    "In the ribosomes" "" "" "" "" "" ""
}
write_test "$CASE_DIR/installed.tvt" installed
expect_same_file "$CASE_DIR/installed.tvt" "$home/Biology.TVT" \
  "the installed test names its files in the program directory"
expect_same_file "$originals/cell.rtf" "$home/cell.rtf" "the attached text is installed"
expect_same_file "$originals/a..b.bmp" "$home/a..b.bmp" "the attached picture is installed"

# The learner opens the test through its association and practises it.
source "$(dirname "$0")/testrun_helpers.bash"
"$QB_WINE" start /unix "$home/Biology.TVT" > "$CASE_DIR/start.log" 2>&1 &
qb_launchers+=("$!")
get MAIN wait-window --class Quorbelind --title-contains ": " --timeout 60000
expect_eq "Quorbelind V1.00: $(winpath "$home")\\Biology.TVT" "$(drive text "$MAIN")" \
  "the installed test opens through its association"
RUN_PID=$(drive windows --class Quorbelind | grep -o 'pid=[0-9]*' | head -n 1 | cut -d= -f2)
[ -n "$RUN_PID" ] || die "no process of the opened test's main window"
expect_eq $'Cells 0 0\nNucleus 2 1' "$(list_rows)" "both questions are listed, none answered"
expect_counters "Asked: 0" "Correct: 0 (0.00 %)" "Remaining: 2" "before practising"

ask_item 1
expect_drive "Nucleus" "the multiple-choice question is asked" text "$(pane IDC_KEYWORD_LABEL)"
expect_eq $'In the membrane\nIn the nucleus\nIn the ribosomes' "$(shown_answers | sort)" "its three answers are offered"
click_marker "$(row_of "In the nucleus")"
eventually "In the nucleus" "the right answer is revealed" text "$(answer_box 0)"
expect_counters "Asked: 1" "Correct: 1 (100.00 %)" "Remaining: 1" "after the right answer"

get text_pane wait-window --pid "$RUN_PID" --class Text
get picture_pane wait-window --pid "$RUN_PID" --class Bild
# On the screen, so that a screenshot sees the whole pane.
need move "$picture_pane" 700 690 400 300
ask_item 0
expect_drive "What is the unit of life?" "the question with attachments is asked" text "$(pane IDC_QUESTION_BOX)"
expect_match '^Every cell comes from a cell\.' "$(drive text "$text_pane:IDC_RICH_TEXT")" \
  "the installed RTF text is shown"
read -r left top right bottom <<<"$(drive rect "$picture_pane")"
read -r width height <<<"$(drive client-size "$picture_pane")"
border=$(( (right - left - width) / 2 ))
centre_x=$((left + border + width / 2))
centre_y=$((bottom - border - height / 2))
# The picture's blue body, a little right of and below the middle (its top
# left corner is yellow).
expect_eq 0000FF "$(screen_pixel $((centre_x + 10)) $((centre_y + 10)))" "the installed picture is shown"
need command "$MAIN" IDM_TEST_SHOW_ANSWER
expect_drive "The cell" "Show answer reveals it" text "$(answer_box 0)"
need post-command "$MAIN" IDM_TEST_MARK_ANSWERED
expect_box "All questions are answered ..." "marking the last question ends the practice"
expect_eq $'Cells 1 0\nNucleus 3 1' "$(list_rows)" "both questions are listed as answered"
expect_counters "Asked: 2" "Correct: 2 (100.00 %)" "Remaining: 0" "after practising"
need command "$MAIN" IDM_FILE_SAVE
need post-command "$MAIN" IDM_EXIT
# Its files can be removed only once it has ended.
expect_drive 0 "the learner's Quorbelind ends with exit code 0" wait-exit "$RUN_PID" --timeout 60000

# Uninstall with every kind ticked; the machine is clean afterwards.
source "$(dirname "$0")/setup_helpers.bash"
start_program pid "$home/Uninstall.exe"
get dialog wait-dialog --pid "$pid" --caption "$UNINSTALL_CAPTION" --timeout 30000
for box in IDC_KIND_PROGRAM_FILES IDC_KIND_TESTS IDC_KIND_TEXT_FILES IDC_KIND_BITMAPS; do
  expect_drive 1 "$box is ticked" checked "$dialog:$box"
done
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_DONE" IDOK "the removal ends with its final message"
expect_exit_zero "$pid" "Uninstall ends with exit code 0"
expect_system_entries_removed
wait_until_gone "$home" 150
expect_no_file "$home" "the program directory is gone"
deadline=$((SECONDS + 60))
while [ -n "$(cleanup_batches)" ] && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
expect_eq "" "$(cleanup_batches)" "no clean-up batch file is left"
