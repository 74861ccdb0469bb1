#!/usr/bin/env bash
# Damaged tests end the export by themselves with text 12, never text 13: an
# empty test file, and a record whose stored names end before their lengths.
# What was written before the damage stays.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

source_dir=$CASE_DIR/source
mkdir -p "$source_dir"
: > "$source_dir/Empty.tvt"
convert -size 8x8 xc:yellow BMP3:"$source_dir/Sun.bmp" || die "no bitmap"
w=$(winpath "$source_dir")
{
  printf 'QBKX0101A\r\n'
  record Sun 0 'Which star?' 'The sun' '' '' '' '' '' "$w\\Sun.bmp" '' ''
  record Cut 0 'Q' 'A' '' '' '' '' '' '' '' "$w\\Cut.bmp"
} > "$source_dir/full.bin"
head -c -3 "$source_dir/full.bin" > "$source_dir/Cut.tvt"
set_data_path "$PROGRAM_DIR"

# run_export TEST NAME VAR [FINDINGS]: runs an export of TEST into NAME up to
# its summary, answering Yes to the check's FINDINGS; VAR gets the pid.
run_export() {
  local __pid dialog
  start_creator __pid
  choose_test "$__pid" "$1"
  [ -z "${4:-}" ] || answer_check "$__pid" "$4" IDYES "the check before the export lists the damage"
  destination_dialog dialog "$__pid"
  need set-text "$dialog:IDC_DESTINATION_NAME" "$2" > /dev/null
  need press "$dialog:IDOK" > /dev/null
  printf -v "$3" '%s' "$__pid"
}

run_export "$source_dir/Empty.tvt" Empty pid
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_FAULTY" IDOK "an empty test file ends with text 12"
expect_exit_zero "$pid" "Creator ends with exit code 0 after an empty test"
expect_bytes "$PROGRAM_DIR/Empty/TEST.LST" 'Empty.tvt\r\n' "the list file of the empty test is complete"
expect_bytes "$PROGRAM_DIR/Empty/T0000001" '' "the exported empty test is empty"

damage=$({ printf 'QBKX0101A\r\n'; record Sun 0 'Which star?' 'The sun' '' '' '' '' '' "$w\\Sun.bmp" '' ''; } | wc -c)
follow=$(($(stat -c %s "$source_dir/Cut.tvt") - damage))
run_export "$source_dir/Cut.tvt" Cut pid "question 2 \"Cut\": damaged record at byte $damage, $follow bytes follow"
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_FAULTY" IDOK "names that end early give text 12"
expect_exit_zero "$pid" "Creator ends with exit code 0 after a damaged test"
expect_bytes "$PROGRAM_DIR/Cut/TEST.LST" 'Cut.tvt\r\nSun.bmp\r\n' "the record before the damage was exported"
expect_same_file "$source_dir/Sun.bmp" "$PROGRAM_DIR/Cut/T0000002" "its attachment was copied"
expect_no_file "$PROGRAM_DIR/Cut/T0000003" "nothing of the damaged record was copied"
expect_bytes "$PROGRAM_DIR/Cut/T0000001" 'QBKX0101A\r\nSun\r\n11\r\n7\r\n0\r\n0\r\n0\r\n0\r\n0\r\n8\r\n0\r\n0\r\n0\r\nWhich star?The sun*Sun.bmpCut\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n' \
  "the exported test keeps what was written up to the damage"
