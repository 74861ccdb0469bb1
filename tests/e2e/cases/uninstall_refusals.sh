#!/usr/bin/env bash
# Uninstall removes nothing when the user cancels, when no DataPath exists, or
# when DataPath names a drive root (its patterns would reach the whole drive).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

program=$CASE_DIR/Installed
mkdir -p "$program"
cp "$PROGRAM_DIR/Uninstall.exe" "$program/"
printf 'test\r\n' > "$program/Astronomy.tvt"
need reg-set "$KEY_USER" DataPath "$(winpath "$program")\\" > /dev/null

start_program pid "$program/Uninstall.exe"
get dialog wait-dialog --pid "$pid" --caption "$UNINSTALL_CAPTION" --timeout 30000
need press "$dialog:IDCANCEL" > /dev/null
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_NOT_REMOVED" IDOK "Cancel is answered with string 1"
expect_exit_zero "$pid" "Uninstall ends with exit code 0 after Cancel"
expect_file "$program/Astronomy.tvt" "nothing is removed after Cancel"
expect_reg "$KEY_USER" DataPath "$(winpath "$program")\\" "DataPath stays after Cancel"

canary="$WINEPREFIX/drive_c/qb-canary.txt"
printf 'keep me\r\n' > "$canary"
need reg-set "$KEY_USER" DataPath 'C:\' > /dev/null
start_program pid "$program/Uninstall.exe"
answer_box "$pid" "$UNINSTALL_ERROR_CAPTION" "$UNINSTALL_NOT_FOUND" IDOK "a drive root is not a program directory"
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_NOT_REMOVED" IDOK "and nothing is removed"
expect_exit_zero "$pid" "Uninstall ends with exit code 0 after a drive root"
expect_file "$canary" "the text file in the drive root is kept"
expect_reg_exists "$KEY_USER" DataPath "the per-user key stays"
rm -f "$canary"

need reg-delete "$KEY_USER" > /dev/null
need reg-set "$KEY_USER_DEFAULT" DataPath '' > /dev/null
start_program pid "$program/Uninstall.exe"
answer_box "$pid" "$UNINSTALL_ERROR_CAPTION" "$UNINSTALL_NOT_FOUND" IDOK "an empty DataPath locates nothing"
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_NOT_REMOVED" IDOK "and nothing is removed either"
expect_exit_zero "$pid" "Uninstall ends with exit code 0 after an empty DataPath"
expect_file "$program/Astronomy.tvt" "the test is still there"
