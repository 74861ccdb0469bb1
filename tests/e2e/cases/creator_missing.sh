#!/usr/bin/env bash
# A missing attachment is reported by its stored name and uses up its number;
# a missing program file (the help file) is reported by its source path; the
# rest is exported all the same and the summary is text 12.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

source_dir=$CASE_DIR/source
mkdir -p "$source_dir"
convert -size 10x10 xc:blue BMP3:"$source_dir/Sky.bmp" || die "no bitmap"
w=$(winpath "$source_dir")
{
  printf 'QBKX0101A\r\n'
  record Sky 0 'What colour?' 'Blue' '' '' '' '' "$w\\gone.rtf" "$w\\Sky.bmp" '*lost.txt' '*stars.bmp'
  printf '\r\n'
} > "$source_dir/Sky.tvt"
rm "$PROGRAM_DIR/Quorbelind.hlp"
set_data_path "$PROGRAM_DIR"

start_creator pid
choose_test "$pid" "$source_dir/Sky.tvt"
answer_check "$pid" "question 1 \"Sky\": question text file \"$w\\gone.rtf\" missing
question 1 \"Sky\": answer text file \"*lost.txt\" missing" IDYES "the check lists the missing files, and Yes exports"
destination_dialog dialog "$pid"
need set-text "$dialog:IDC_DESTINATION_NAME" Sky > /dev/null
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$CREATOR_NOT_COPIED" "$(winpath "$PROGRAM_DIR")\\Quorbelind.hlp" IDOK \
  "the missing help file is reported by its source path"
answer_box "$pid" "$CREATOR_NOT_COPIED" "$w\\gone.rtf" IDOK "a missing attachment is reported by its stored name"

# The export dialog answers only while a message box runs its message loop.
get box wait-dialog --pid "$pid" --caption "$CREATOR_NOT_COPIED" --timeout 60000
expect_drive "*lost.txt" "a missing '*' attachment is reported with its star" text "$box:MSGBOX_TEXT"
get export wait-dialog --pid "$pid" --caption "$CREATOR_EXPORT_TITLE" --timeout 10000
expect_eq $'Sky.tvt\nSky.bmp' "$(drive text "$export:IDC_EXPORT_LIST" | tr -d '\r')" \
  "the list shows the test and the attachment copied so far"
get children children "$export"
expect_eq 3 "$(grep -c . <<<"$children")" "the export dialog has two texts and the list, and no button"
expect_match 'class=Static visible=1 " The test is now to be exported,  please wait a moment ..."' "$children" \
  "the export dialog asks the user to wait"
expect_match 'class=Static visible=1 "List of the exported test files:"' "$children" "the list is labelled"
expect_match "id=$IDC_EXPORT_LIST class=Edit visible=1" "$children" "the list control is edit 1002"
need press "$box:IDOK" > /dev/null
drive wait-gone "$box" --timeout 20000 > /dev/null
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_FAULTY" IDOK "the export ends with text 12"
expect_exit_zero "$pid" "Creator ends with exit code 0"

dest=$PROGRAM_DIR/Sky
expect_eq "D01 D03 D05 Install.exe ReadMe.txt T0000001 T0000003 T0000005 TEST.LST" \
  "$(cd "$dest" && ls | sort | tr '\n' ' ' | sed 's/ $//')" "the numbers of the missing files are skipped"
expect_same_file "$source_dir/Sky.bmp" "$dest/T0000003" "the bitmap after the missing file is T0000003"
expect_same_file "$PROGRAM_DIR/stars.bmp" "$dest/T0000005" "the last attachment is T0000005"
expect_bytes "$dest/TEST.LST" 'Sky.tvt\r\nSky.bmp\r\nstars.bmp\r\n' "only the copied files are listed"
expect_bytes "$dest/T0000001" 'QBKX0101A\r\nSky\r\n12\r\n4\r\n0\r\n0\r\n0\r\n0\r\n9\r\n8\r\n9\r\n10\r\n0\r\nWhat colour?Blue*gone.rtf*Sky.bmp*lost.txt*stars.bmp\r\n' \
  "the exported test names every attachment, copied or not"
