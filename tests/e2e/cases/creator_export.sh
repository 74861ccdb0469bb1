#!/usr/bin/env bash
# An export of a test with attached RTF, text and bitmap files (one of them a
# "*" name of the program directory, one named with a slash before its file
# name) writes the distribution directory byte for byte and ends with text 13
# under caption 11.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

source_dir=$CASE_DIR/source
mkdir -p "$source_dir"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 The cell is the unit of life.\\par}\r\n' > "$source_dir/intro.rtf"
printf 'Plain notes\r\nfor the answer\r\n' > "$source_dir/notes.txt"
convert -size 16x12 xc:green -fill red -draw 'rectangle 2,2 9,7' BMP3:"$source_dir/Cell.bmp" || die "no bitmap"
w=$(winpath "$source_dir")
{
  printf 'QBKX0101A\r\n'
  record Cells 1 'What is a cell?' 'A unit of life' '' 'A rock' '' '' "$w\\intro.rtf" "$w\\Cell.bmp" '' ''
  record Moon 0 $'Line one\x02\x01Line two' 'The moon' '' '' '' '' '' '' "$w/notes.txt" '*moon.bmp'
  printf '\r\n'
} > "$source_dir/Biology.tvt"
set_data_path "$PROGRAM_DIR"

start_creator pid
choose_test "$pid" "$source_dir/Biology.tvt"
destination_dialog dialog "$pid"
expect_drive "$(winpath "$PROGRAM_DIR")" "the program directory is shown without its trailing backslash" \
  text "$dialog:IDC_PROGRAM_DIRECTORY"
need set-text "$dialog:IDC_DESTINATION_NAME" Biology > /dev/null
need press "$dialog:IDOK" > /dev/null

answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_COMPLETE" IDOK "the export ends with text 13 under caption 11"
expect_exit_zero "$pid" "Creator ends with exit code 0"

dest=$PROGRAM_DIR/Biology
expect_eq "D01 D03 D05 Install.exe Quorbelind.hlp ReadMe.txt T0000001 T0000002 T0000003 T0000004 T0000005 TEST.LST" \
  "$(cd "$dest" && ls | sort | tr '\n' ' ' | sed 's/ $//')" "the distribution directory holds exactly its files"
expect_bytes "$dest/TEST.LST" 'Biology.tvt\r\nintro.rtf\r\nCell.bmp\r\nnotes.txt\r\nmoon.bmp\r\n' "the list file"
expect_bytes "$dest/T0000001" 'QBKX0101A\r\nCells\r\n15\r\n14\r\n0\r\n6\r\n0\r\n0\r\n10\r\n9\r\n0\r\n0\r\n0\r\nWhat is a cell?A unit of lifeA rock*intro.rtf*Cell.bmpMoon\r\n18\r\n8\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n10\r\n9\r\n0\r\nLine one\x02\x01Line twoThe moon*notes.txt*moon.bmp\r\n' \
  "the exported test: names rewritten, statuses 0, texts as they were"
expect_same_file "$source_dir/intro.rtf" "$dest/T0000002" "the RTF file is T0000002"
expect_same_file "$source_dir/Cell.bmp" "$dest/T0000003" "the bitmap is T0000003"
expect_same_file "$source_dir/notes.txt" "$dest/T0000004" "the text file is T0000004"
expect_same_file "$PROGRAM_DIR/moon.bmp" "$dest/T0000005" "the '*' name is taken from the program directory"
expect_same_file "$PROGRAM_DIR/Quorbelind.exe" "$dest/D01" "D01 is the main program"
expect_same_file "$PROGRAM_DIR/Uninstall.exe" "$dest/D03" "D03 is the removal program"
expect_same_file "$PROGRAM_DIR/Creator.exe" "$dest/D05" "D05 is the export tool"
expect_same_file "$PROGRAM_DIR/Install.exe" "$dest/Install.exe" "Install.exe keeps its name"
expect_same_file "$PROGRAM_DIR/Quorbelind.hlp" "$dest/Quorbelind.hlp" "the help file keeps its name"
expect_same_file "$PROGRAM_DIR/ReadMe.txt" "$dest/ReadMe.txt" "ReadMe.txt keeps its name"
