#!/usr/bin/env bash
# An export into a directory that holds an earlier export: every program file
# and every attachment is reported with caption 14, the list file and
# T0000001 are written again, and the summary is text 12.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

# In the order the records and their slots name them.
attachments=(solar_system.rtf planets.bmp moon_phases.txt moon.bmp saturn.bmp stars.bmp)
set_data_path "$PROGRAM_DIR"
program=$(winpath "$PROGRAM_DIR")

# export_astronomy VAR: starts an export of the sample test into "Again"; VAR gets the pid.
export_astronomy() {
  local __pid dialog
  start_creator __pid
  choose_test "$__pid" "$PROGRAM_DIR/Astronomy.tvt"
  destination_dialog dialog "$__pid"
  need set-text "$dialog:IDC_DESTINATION_NAME" Again > /dev/null
  need press "$dialog:IDOK" > /dev/null
  printf -v "$1" '%s' "$__pid"
}

export_astronomy pid
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_COMPLETE" IDOK "the first export is complete"
expect_exit_zero "$pid" "Creator ends with exit code 0"
dest=$PROGRAM_DIR/Again
expected_list='Astronomy.tvt\r\n'
for name in "${attachments[@]}"; do expected_list+="$name\\r\\n"; done
expect_bytes "$dest/TEST.LST" "$expected_list" "the first export lists the test and its six attachments"
printf 'stale' >> "$dest/TEST.LST"
printf 'stale' >> "$dest/T0000001"

export_astronomy pid
for file in Quorbelind.exe Quorbelind.hlp Uninstall.exe ReadMe.txt Creator.exe Install.exe; do
  answer_box "$pid" "$CREATOR_NOT_COPIED" "$program\\$file" IDOK "the program file $file is reported by its source path"
done
for name in "${attachments[@]}"; do
  answer_box "$pid" "$CREATOR_NOT_COPIED" "*$name" IDOK "the attachment $name is reported by its stored name"
done
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_FAULTY" IDOK "the second export ends with text 12"
expect_exit_zero "$pid" "Creator ends with exit code 0 after a faulty export"
expect_bytes "$dest/TEST.LST" 'Astronomy.tvt\r\n' "the list file is written again, without the files that failed"
expect_same_file "$PROGRAM_DIR/Astronomy.tvt" "$dest/T0000001" "T0000001 is written again"
expect_same_file "$PROGRAM_DIR/stars.bmp" "$dest/T0000007" "the earlier copies stay as they were"
