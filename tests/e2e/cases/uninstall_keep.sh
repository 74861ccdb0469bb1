#!/usr/bin/env bash
# With every kind unticked, Uninstall removes the program files (itself through
# the batch file), the system entries and shortcuts, and keeps every test,
# backup, journal, text file and bitmap, and so the directory.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

dist=$CASE_DIR/dist
target=$CASE_DIR/Kept
make_distribution "$dist"
run_full_install "$dist" "$(winpath "$target")" IDC_SHORTCUT_DESKTOP
add_user_files "$target"

start_program pid "$target/Uninstall.exe"
get dialog wait-dialog --pid "$pid" --caption "$UNINSTALL_CAPTION" --timeout 30000
for box in IDC_KIND_TESTS IDC_KIND_TEXT_FILES IDC_KIND_BITMAPS; do need check "$dialog:$box" 0 > /dev/null; done
need press "$dialog:IDOK" > /dev/null
need wait-gone "$dialog" --timeout 20000 > /dev/null
# The removal keeps its thread busy, so its title cannot be read: it is the one dialog of the process now.
get removal wait-dialog --pid "$pid" --timeout 30000
for box in IDC_KIND_TESTS IDC_KIND_TEXT_FILES IDC_KIND_BITMAPS; do
  expect_drive 0 "$box is disabled in the progress dialog" enabled "$removal:$box"
done
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_DONE" IDOK "the removal ends with string 8"
expect_exit_zero "$pid" "Uninstall ends with exit code 0"

expect_system_entries_removed
wait_until_gone "$target/Uninstall.exe" 150
expect_no_file "$target/Uninstall.exe" "the batch file removed Uninstall.exe"
for name in Quorbelind.exe Quorbelind.hlp ReadMe.txt Install.exe Creator.exe; do
  expect_no_file "$target/$name" "$name is removed"
done
for name in Astronomy.tvt Biology.TVT Astronomy.BAK CHANGINGS.TMP notes.txt moon_phases.txt answer.RTF \
  solar_system.rtf green.bmp planets.bmp; do
  expect_file "$target/$name" "$name is kept"
done
deadline=$((SECONDS + 30))
while [ -n "$(cleanup_batches)" ] && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
expect_eq "" "$(cleanup_batches)" "the batch file deleted itself"
expect_file "$target" "the directory stays with the kept files"
