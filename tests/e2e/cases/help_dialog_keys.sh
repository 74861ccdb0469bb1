#!/usr/bin/env bash
# The Help buttons of the question dialog (define and edit form) and of the
# attach dialog ask the help engine for their keywords (HELP_KEY), each of
# which names one topic of the help file.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"
source "$(dirname "$0")/help_helpers.bash"

start_help_receiver
start_empty_test MAIN "$CASE_DIR/HELP.TVT"
file=$(help_path)

open_question_dialog dialog IDM_QUESTION_NEW "$EDITOR_DEFINE_TITLE"
need press "$dialog:IDC_DIALOG_HELP"
expect_help_calls "command=0x0101 file=$file key=Defining a new Question" "Help of the define form"
expect_drive 1 "the question dialog stays open after Help" is-window "$dialog"

need press "$dialog:IDC_QUESTION_ATTACH_FILES"
get attach wait-dialog --pid "$RUN_PID" --caption "Attach Files"
need press "$attach:IDC_DIALOG_HELP"
expect_help_calls "command=0x0101 file=$file key=Defining a new Question
command=0x0101 file=$file key=Attaching Files" "Help of the attach dialog"
expect_drive 1 "the attach dialog stays open after Help" is-window "$attach"
need press "$attach:IDOK"
need wait-gone "$attach"

fill_question "$dialog" "Mercury" "Which planet is nearest the Sun?" "Mercury"
accept "$dialog"
need lv-select "$MAIN:IDC_QUESTION_LIST" 0
open_question_dialog dialog IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
need press "$dialog:IDC_DIALOG_HELP"
expect_help_calls "command=0x0101 file=$file key=Defining a new Question
command=0x0101 file=$file key=Attaching Files
command=0x0101 file=$file key=Editing a Question" "Help of the edit form"
need press "$dialog:IDCANCEL"
need wait-gone "$dialog"
