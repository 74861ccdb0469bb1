#!/usr/bin/env bash
# After an installation, Uninstall with every kind ticked removes the program
# files and all user files, every system entry and shortcut; its batch file,
# run by the real command interpreter, then deletes Uninstall.exe, the program
# directory and itself. The user's files are in the Recycle Bin (under Wine
# the freedesktop trash) with their content and original place; the program
# files and the journal are not. A second Uninstall finds nothing to remove.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

dist=$CASE_DIR/dist
# A name with a space and longer than eight characters: the batch file needs short forms.
target="$CASE_DIR/Quorbelind Programs"
make_distribution "$dist"
run_full_install "$dist" "$(winpath "$target")" IDC_SHORTCUT_DESKTOP IDC_SHORTCUT_STARTUP IDC_SHORTCUT_START_MENU
add_user_files "$target"
mkdir -p "$CASE_DIR/second"
mkdir -p "$CASE_DIR/before"
users_files=$(cd "$target" && ls | grep -i -E '\.(tvt|bak|txt|rtf|bmp)$' | grep -v -i -x 'readme.txt')
(cd "$target" && cp $users_files "$CASE_DIR/before/")
# Wine deletes for good, and reports success, when the trash's parent is missing.
export XDG_DATA_HOME="$CASE_DIR/xdg-data"
trash=$XDG_DATA_HOME/Trash
mkdir -p "$XDG_DATA_HOME"
cp "$target/Uninstall.exe" "$CASE_DIR/second/Uninstall.exe"

start_program pid "$target/Uninstall.exe"
get dialog wait-dialog --pid "$pid" --caption "$UNINSTALL_CAPTION" --timeout 30000
expect_drive "$(winpath "$target")" "the dialog shows the program directory" text "$dialog:IDC_CHOICE_DIRECTORY"
for box in IDC_KIND_PROGRAM_FILES IDC_KIND_TESTS IDC_KIND_TEXT_FILES IDC_KIND_BITMAPS; do
  expect_drive 1 "$box is ticked" checked "$dialog:$box"
done
expect_drive 0 "the program files box cannot be unticked" enabled "$dialog:IDC_KIND_PROGRAM_FILES"
need press "$dialog:IDOK" > /dev/null
need wait-gone "$dialog" --timeout 20000 > /dev/null
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_DONE" IDOK "the removal ends with string 8"
expect_exit_zero "$pid" "Uninstall ends with exit code 0"

expect_system_entries_removed
for name in Astronomy.tvt Biology.TVT Astronomy.BAK notes.txt answer.RTF green.bmp; do
  expect_eq "$name" "$(grep -x -F "$name" <<<"$users_files")" "$name is among the files to recycle"
done
for name in $users_files; do
  expect_same_file "$CASE_DIR/before/$name" "$trash/files/$name" "$name is in the Recycle Bin as it was"
  expect_eq "Path=$target/$name" "$(grep '^Path=' "$trash/info/$name.trashinfo" | sed 's/%20/ /g')" \
    "the Recycle Bin knows where $name came from"
done
for name in CHANGINGS.TMP ReadMe.txt Quorbelind.exe; do
  expect_no_file "$trash/files/$name" "$name is deleted for good"
done
wait_until_gone "$target" 150
expect_no_file "$target" "the batch file removed Uninstall.exe and the program directory"
deadline=$((SECONDS + 30))
while [ -n "$(cleanup_batches)" ] && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
expect_eq "" "$(cleanup_batches)" "the batch file deleted itself"

start_program pid "$CASE_DIR/second/Uninstall.exe"
answer_box "$pid" "$UNINSTALL_ERROR_CAPTION" "$UNINSTALL_NOT_FOUND" IDOK "a second Uninstall finds no directory"
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_NOT_REMOVED" IDOK "and says nothing was removed"
expect_exit_zero "$pid" "the second Uninstall ends with exit code 0"
