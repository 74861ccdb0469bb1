# Helpers of the question-editor cases; sourced after tests/e2e/lib.sh and
# testrun_helpers.bash (record, write_test, start_test, expect_box, ...).
# shellcheck shell=bash

EDITOR_DEFINE_TITLE='Defining a Question'
EDITOR_EDIT_TITLE='Edit Question'
JOURNAL="$PROGRAM_DIR/CHANGINGS.TMP"

# record_status STATUS KEYWORD SLOT0 ... SLOT9: a record as record() writes
# it, with the given status line.
record_status() {
  local status=$1 keyword=$2 slot
  shift 2
  [ $# -eq 10 ] || die "record_status $keyword: ten slots needed, $# given"
  printf '%s\r\n' "$keyword"
  for slot in "$@"; do printf '%d\r\n' "${#slot}"; done
  printf '%d\r\n' "$status"
  for slot in "$@"; do printf '%s' "$slot"; done
}

# start_empty_test VAR PATH: a test holding only the magic line, opened.
start_empty_test() {
  printf 'QBKX0101A\r\n' > "$2"
  start_test "$1" "$2"
}

# open_question_dialog VAR COMMAND TITLE: runs New or Edit Question and waits
# for the question dialog.
open_question_dialog() {
  local __dialog
  need post-command "$MAIN" "$2"
  get __dialog wait-dialog --pid "$RUN_PID" --caption "$3"
  printf -v "$1" '%s' "$__dialog"
}

# fill_question DIALOG KEYWORD QUESTION ANSWER [WRONG1 .. WRONG4]: types the
# texts into the fields as a user would (a "\n" is the Enter key).
fill_question() {
  local dialog=$1 i field
  need type "$dialog:IDC_QUESTION_KEYWORD" "$2"
  need type "$dialog:IDC_QUESTION_TEXT" "$3"
  need type "$dialog:IDC_QUESTION_RIGHT_ANSWER" "$4"
  shift 4
  i=1
  for field in IDC_QUESTION_WRONG_ANSWER1 IDC_QUESTION_WRONG_ANSWER2 IDC_QUESTION_WRONG_ANSWER3 \
    IDC_QUESTION_WRONG_ANSWER4; do
    [ $# -ge $i ] && [ -n "${!i}" ] && need type "$dialog:$field" "${!i}"
    i=$((i + 1))
  done
}

# accept DIALOG: Accept, and the dialog must close.
accept() {
  need press "$1:IDOK"
  need wait-gone "$1"
}

# define_question KEYWORD QUESTION ANSWER [WRONG1 .. WRONG4]: New Question,
# the fields typed, Accept.
define_question() {
  local dialog
  open_question_dialog dialog IDM_QUESTION_NEW "$EDITOR_DEFINE_TITLE"
  fill_question "$dialog" "$@"
  accept "$dialog"
}

# file_dialog TITLE NAME: in the system file dialog titled TITLE, the name
# typed into the file-name field (its id differs between the dialog styles)
# and the default button pressed.
file_dialog() {
  local dialog field
  get dialog wait-dialog --pid "$RUN_PID" --caption "$1"
  for field in 1148 1152; do
    if drive set-text "$dialog:$field" "$2" 2>/dev/null; then
      need press "$dialog:IDOK"
      need wait-gone "$dialog"
      return
    fi
  done
  die "the file dialog '$1' has no file-name field"
}

# open_attach VAR DIALOG: Attach Files in the question dialog.
open_attach() {
  local __attach
  need press "$2:IDC_QUESTION_ATTACH_FILES"
  get __attach wait-dialog --pid "$RUN_PID" --caption "Attach Files"
  printf -v "$1" '%s' "$__attach"
}

# button_kind BUTTON: 1 for a default push button, 0 for a plain one (the style's BS_ type).
button_kind() {
  local style
  read -r style _ <<< "$(drive style "$1")"
  echo $((style & 0xF))
}

# The file-type list (cmb1) of the system's file dialog.
FILE_TYPE_LIST=1136

# pick_filter TITLE INDEX: in the file dialog titled TITLE, the file-type entry
# INDEX (from 0) chosen as a click chooses it: selected, then CBN_SELENDOK.
pick_filter() {
  local dialog
  get dialog wait-dialog --pid "$RUN_PID" --caption "$1"
  need send "$dialog:$FILE_TYPE_LIST" 0x014E "$2" 0 > /dev/null
  need send "$dialog" 0x0111 $(((9 << 16) | FILE_TYPE_LIST)) 0 > /dev/null
}

# shown_filter TITLE: the index (from 0) of the file-type entry the file dialog titled TITLE shows.
shown_filter() {
  local dialog
  get dialog wait-dialog --pid "$RUN_PID" --caption "$1"
  drive send "$dialog:$FILE_TYPE_LIST" 0x0147 0 0
}

# Field text with its CR LF line breaks shown as "|".
field_text() {
  drive text "$1" | tr -d '\r' | paste -sd '|'
}

# list_rows: "text image key" per list item, in list order.
list_rows() {
  drive lv-items "$MAIN:IDC_QUESTION_LIST" | awk -F'\t' '{print $2, $3, $4}'
}

# Number of records in the change journal whose keyword is KEYWORD. Records
# follow one another without a line end, so a keyword line is the end of a
# line; slots never hold a line end and the number lines hold only digits.
journal_records() {
  grep -c -a -F -e "$1"$'\r' "$JOURNAL" | head -n 1
}

# expect_journal_names TEST WHAT: the change journal holds the test's path
# as its first line and nothing else.
expect_journal_names() {
  expect_eq "$(winpath "$1")"$'\r' "$(cat "$JOURNAL")" "$2"
}
