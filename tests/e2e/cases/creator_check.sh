#!/usr/bin/env bash
# Creator checks the test before it exports it: the findings are listed, and
# No exports nothing, not even a destination directory.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

source_dir=$CASE_DIR/source
mkdir -p "$source_dir"
{
  printf 'QBKX0101A\r\n'
  record Moon 0 'Which moon?' 'Luna' 'Luna' '' '' '' '' '' '' '*crater.bmp'
  printf '\r\n'
} > "$source_dir/Moon.tvt"
set_data_path "$PROGRAM_DIR"
before=$(ls "$PROGRAM_DIR")

start_creator pid
choose_test "$pid" "$source_dir/Moon.tvt"
answer_check "$pid" 'question 1 "Moon": wrong answer 1 equals the right answer
question 1 "Moon": answer picture "*crater.bmp" missing' IDNO "the check lists the findings"
answer_box "$pid" "$CREATOR_ABORTED_CAPTION" "$CREATOR_NOTHING_EXPORTED" IDOK "No ends with nothing exported"
expect_exit_zero "$pid" "Creator ends with exit code 0"
expect_eq "$before" "$(ls "$PROGRAM_DIR")" "nothing was added to the program directory"
