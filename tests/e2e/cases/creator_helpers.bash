# Helpers of the Creator cases; sourced after tests/e2e/lib.sh.
# shellcheck shell=bash
export LC_ALL=C  # lengths are byte counts

CREATOR_CAPTION='Quorbelind V1.00 - Creator'
CREATOR_GREETING='This program will create complete installation disks for tests created using Quorbelind V1.00 to ditribute your selfmade tests.

Click the OK button to select a test to be exported ...'
CREATOR_NOT_INSTALLED='Before running CREATOR.EXE you have to install Quorbelind itself on your system !

Please read the file ReadMe.TXT first ...'
CREATOR_SELECT_TEST='Select a test to be exported'
CREATOR_ABORTED_CAPTION='Program aborted by user ...'
CREATOR_NOTHING_EXPORTED='No test was exported !

You later may run CREATOR.EXE again ...'
CREATOR_NAME_REQUIRED='You have to specify a valid directory name !'
CREATOR_DESTINATION_CAPTION='Enter destination directory'
CREATOR_NOT_MADE='Could not create destination directory !

Ensure that the directory name does not contain any of the reserved characters ( \ / : * ? " < > | ) ...'
CREATOR_EXPORT_CAPTION='Test was completely exported ...'
CREATOR_FAULTY='Errors occured during export !

The eyported test is not guaranteed to run correctly ...

You should delete the entiry destination directory, carefully check the test for errors and then try to export it again !'
CREATOR_COMPLETE='Test completely exported ...

You now may pack the files contained in the destionation directory and/or copy it to a floppy disk for shipping the test.'
CREATOR_NOT_COPIED='File could not be copied:'
CREATOR_DESTINATION_TITLE='Select Destination Directory'
CREATOR_EXPORT_TITLE='Exporting a Test ...'
CREATOR_CHECK_CAPTION='Test checked ...'

# Control of the file dialog that holds the typed file name (Wine's explorer style).
FILE_NAME_CONTROL=0x47c

# record KEYWORD STATUS TEXT0..TEXT5 NAME6..NAME9: one question record with
# CR LF line ends, the lengths counted from the given texts and names.
record() {
  local keyword=$1 status=$2 field
  shift 2
  printf '%s\r\n' "$keyword"
  for field in "$@"; do printf '%d\r\n' "${#field}"; done
  printf '%s\r\n' "$status"
  for field in "$@"; do printf '%s' "$field"; done
}

# set_data_path DIR: the per-user DataPath, with the trailing backslash setup writes.
set_data_path() {
  need reg-set "$KEY_USER" DataPath "$(winpath "$1")\\" > /dev/null
}

# answer_box PID CAPTION TEXT BUTTON WHAT: the next message box of PID must
# show CAPTION and TEXT; BUTTON is pressed on it.
answer_box() {
  local pid=$1 caption=$2 text=$3 button=$4 what=$5 box seen
  get box wait-dialog --pid "$pid" --caption "$caption" --timeout 60000
  seen=$(drive text "$box:MSGBOX_TEXT" 2>&1 | tr -d '\r')
  expect_eq "$text" "$seen" "$what"
  need press "$box:$button" > /dev/null
  drive wait-gone "$box" --timeout 20000 > /dev/null
}

# answer_check PID FINDINGS BUTTON WHAT: the box of the check before the
# export must list FINDINGS (lines); BUTTON (IDYES or IDNO) is pressed on it.
answer_check() {
  answer_box "$1" "$CREATOR_CHECK_CAPTION" "Checking the test before its export found:

$2

Export the test anyway?" "$3" "$4"
}

# start_creator VAR: Creator started from the program directory, greeting answered with OK.
start_creator() {
  local __creator_pid
  start_program __creator_pid "$PROGRAM_DIR/Creator.exe" --cwd "$PROGRAM_DIR"
  answer_box "$__creator_pid" "$CREATOR_CAPTION" "$CREATOR_GREETING" IDOK "the greeting is text 2 under caption 1"
  printf -v "$1" '%s' "$__creator_pid"
}

# choose_test PID PATH: types the test's Windows path into the open-file dialog.
choose_test() {
  local pid=$1 path=$2 dialog
  get dialog wait-dialog --pid "$pid" --caption "$CREATOR_SELECT_TEST" --timeout 60000
  need set-text "$dialog:$FILE_NAME_CONTROL" "$(winpath "$path")" > /dev/null
  need press "$dialog:IDOK" > /dev/null
  drive wait-gone "$dialog" --timeout 20000 > /dev/null
}

# destination_dialog VAR PID: waits for dialog 101.
destination_dialog() {
  get "$1" wait-dialog --pid "$2" --caption "$CREATOR_DESTINATION_TITLE" --timeout 60000
}

# expect_exit_zero PID WHAT
expect_exit_zero() {
  local code
  code=$(wait_exit "$1" 60) || code="(still running)"
  expect_eq 0 "$code" "$2"
}

# expect_bytes PATH EXPECTED-PRINTF-TEXT WHAT: the file holds exactly these bytes.
expect_bytes() {
  local path=$1 expected=$2 what=$3
  printf "$expected" > "$CASE_DIR/expected.bin"
  expect_same_file "$CASE_DIR/expected.bin" "$path" "$what"
}
