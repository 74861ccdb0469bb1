# Helpers of the cases of the authors' commands (Export questions, Check
# test, Import questions); sourced after testrun_helpers.bash and
# editor_helpers.bash.
# shellcheck shell=bash

EXPORT_TITLE='Export the questions to a table:'
EXPORT_CAPTION='Export questions'
CHECK_CAPTION='Check test'
IMPORT_TITLE='Import questions from a table:'
IMPORT_CAPTION='Import questions'

# answer_message CAPTION TEXT WHAT: the message box of that caption shows
# TEXT; OK closes it.
answer_message() {
  local box
  get box wait-dialog --pid "$RUN_PID" --caption "$1"
  expect_drive "$2" "$3" text "$box:MSGBOX_TEXT"
  need press "$box:IDOK"
  need wait-gone "$box"
}
