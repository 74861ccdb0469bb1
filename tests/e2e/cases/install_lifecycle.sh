#!/usr/bin/env bash
# From the author's test to a clean machine: a test with an attached RTF text
# and bitmap is exported by Creator, the distribution directory is installed by
# Install on a "new machine" (registry emptied), the installed test opens
# through its association with its questions listed, and Uninstall then leaves
# neither files nor entries behind.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

# question KEYWORD QUESTION ANSWER WRONG QUESTION-TEXT-FILE QUESTION-PICTURE:
# one record as the test file format lays it out (CR LF line ends, status 0).
question() {
  local keyword=$1 fields=("$2" "$3" "$4" "" "" "" "$5" "$6" "" "") field
  printf '%s\r\n' "$keyword"
  for field in "${fields[@]}"; do printf '%d\r\n' "${#field}"; done
  printf '0\r\n'
  for field in "${fields[@]}"; do printf '%s' "$field"; done
}

author=$CASE_DIR/author
mkdir -p "$author"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Every cell comes from a cell.\\par}\r\n' > "$author/cell.rtf"
convert -size 24x16 xc:white -fill blue -draw 'circle 12,8 12,3' "BMP3:$author/cell.bmp" || die "no bitmap"
w=$(winpath "$author")
export LC_ALL=C
{
  printf 'QBKX0101A\r\n'
  question Cells 'What is the unit of life?' 'The cell' 'The atom' "$w\\cell.rtf" "$w\\cell.bmp"
  question Nucleus 'Where is the DNA of a cell kept?' 'In the nucleus' '' '' ''
  printf '\r\n'
} > "$author/Biology.tvt"

# The author's machine: the programs live in the program directory of this case.
need reg-set "$KEY_USER" DataPath "$(winpath "$PROGRAM_DIR")\\" > /dev/null
start_program pid "$PROGRAM_DIR/Creator.exe" --cwd "$PROGRAM_DIR"
get box wait-dialog --pid "$pid" --caption 'Quorbelind V1.00 - Creator' --timeout 30000
need press "$box:IDOK" > /dev/null
get dialog wait-dialog --pid "$pid" --caption 'Select a test to be exported' --timeout 30000
# The file-name box of the open-file dialog.
need set-text "$dialog:0x47c" "$(winpath "$author/Biology.tvt")" > /dev/null
need press "$dialog:IDOK" > /dev/null
get dialog wait-dialog --pid "$pid" --caption 'Select Destination Directory' --timeout 30000
need set-text "$dialog:IDC_DESTINATION_NAME" Disk > /dev/null
need press "$dialog:IDOK" > /dev/null
get box wait-dialog --pid "$pid" --caption 'Test was completely exported ...' --timeout 60000
need press "$box:IDOK" > /dev/null
expect_exit_zero "$pid" "Creator ends with exit code 0"
disk=$PROGRAM_DIR/Disk
expect_file "$disk/TEST.LST" "Creator wrote a distribution directory"

# The learner's machine knows nothing of the system yet.
need reg-delete 'HKCU\Software\Tolvexia' 'HKLM\Software\Tolvexia' > /dev/null
cp -a "$disk" "$CASE_DIR/floppy"
home=$CASE_DIR/Learner
run_full_install "$CASE_DIR/floppy" "$(winpath "$home")" IDC_SHORTCUT_DESKTOP
expect_same_file "$CASE_DIR/floppy/T0000001" "$home/Biology.tvt" "the exported test is installed under its name"
expect_same_file "$author/cell.rtf" "$home/cell.rtf" "the attached text is installed"
expect_same_file "$author/cell.bmp" "$home/cell.bmp" "the attached picture is installed"

"$QB_WINE" start /unix "$home/Biology.tvt" > "$CASE_DIR/start.log" 2>&1 &
qb_launchers+=("$!")
get main wait-window --class Quorbelind --timeout 30000
expect_eq "Quorbelind V1.00: $(winpath "$home")\\Biology.tvt" "$(drive text "$main" | tr -d '\r')" \
  "the installed test opens through its association"
expect_eq "Cells Nucleus" "$(drive lv-items "$main:IDC_QUESTION_LIST" | tr -d '\r' | awk -F'\t' '{print $2}' | sort | tr '\n' ' ' | sed 's/ $//')" \
  "both questions are listed"
main_pid=$(drive processes | tr -d '\r' | grep -i 'Quorbelind.exe' | grep -oE '^[[:space:]]*[0-9]+' | head -n 1 | tr -d ' ')
drive processes > "$CASE_DIR/processes.txt"
need close "$main" > /dev/null
need wait-gone "$main" --timeout 20000 > /dev/null
# Its files can be removed only once the program has ended.
[ -n "$main_pid" ] && expect_drive 0 "the main program ends with exit code 0" wait-exit "$main_pid" --timeout 20000

start_program pid "$home/Uninstall.exe"
get dialog wait-dialog --pid "$pid" --caption "$UNINSTALL_CAPTION" --timeout 30000
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$UNINSTALL_CAPTION" "$UNINSTALL_DONE" IDOK "the removal ends with string 8"
expect_exit_zero "$pid" "Uninstall ends with exit code 0"
expect_system_entries_removed
wait_until_gone "$home" 150
expect_no_file "$home" "the program directory is gone"
deadline=$((SECONDS + 30))
while [ -n "$(cleanup_batches)" ] && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
expect_eq "" "$(cleanup_batches)" "no clean-up batch file is left"
