#!/usr/bin/env bash
# Questions typed before a crash survive it: the change journal names its
# test, a second instance leaves a held journal alone, the next start asks,
# Yes opens the recovered test holding the journal's records byte for byte,
# No deletes the journal and nothing is asked again.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

zebra() { record "Zebra" "Which animal has stripes?" "$1" "" "" "" "" "" "" "" ""; }
moon() { record "Moon" "What orbits the Earth?" "The Moon" "" "" "" "" "" "" "" ""; }
test_file="$CASE_DIR/exam.tvt"
recovered="$CASE_DIR/exam recovered.tvt"
original() { zebra Horse; }
write_test "$test_file" original

# start_plain VAR: Quorbelind without a command line; VAR gets the main window.
start_plain() {
  local __main
  start_program RUN_PID "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR"
  get __main wait-window --pid "$RUN_PID" --class Quorbelind
  printf -v "$1" '%s' "$__main"
}

# expect_nothing_asked WHAT: a command posted now is handled by whichever
# message loop runs, so once the About box stands, any start-up question
# would stand beside it.
expect_nothing_asked() {
  local about
  need post-command "$MAIN" IDM_ABOUT
  get about wait-dialog --pid "$RUN_PID" --caption "Program Information"
  expect_drive 1 "$1" count --pid "$RUN_PID" --class "#32770"
  need press "$about:IDOK"
  need wait-gone "$about"
}

# crash: the program's process is killed; its files stay as they are.
crash() {
  need kill "$RUN_PID"
  wait_exit "$RUN_PID" >/dev/null || die "the killed program did not end"
}

# Open, a new question and an edited old one, then the crash.
start_test MAIN "$test_file"
define_question "Moon" "What orbits the Earth?" "The Moon"
need lv-select "$MAIN:IDC_QUESTION_LIST" 1
open_question_dialog dialog IDM_QUESTION_EDIT "$EDITOR_EDIT_TITLE"
need set-text "$dialog:IDC_QUESTION_RIGHT_ANSWER" "Zebra"
accept "$dialog"
lost_records() { moon; zebra Zebra; }
{ printf '%s\r\n' "$(winpath "$test_file")"; lost_records; } > "$CASE_DIR/journal.expected"
expect_same_file "$CASE_DIR/journal.expected" "$JOURNAL" "the journal: the test's path, then both records"

# A second instance meanwhile asks nothing and touches nothing.
first_pid=$RUN_PID
first_main=$MAIN
start_plain MAIN
expect_nothing_asked "the second instance asks nothing"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "the second instance ends"
expect_same_file "$CASE_DIR/journal.expected" "$JOURNAL" "the held journal is untouched"
expect_no_file "$recovered" "no recovered test from the second instance"
RUN_PID=$first_pid
MAIN=$first_main
crash

# The next start asks; Yes opens the recovered test.
start_plain MAIN
get box wait-dialog --pid "$RUN_PID" --caption "Unsaved questions found ..."
printf -v question 'Quorbelind was not ended properly: 2 questions of the test\n%s\nwere not saved.\n\n%s\n%s ?' \
  "$(winpath "$test_file")" "Keep them in the new test" "$(winpath "$recovered")"
expect_drive "$question" "the question after the crash" text "$box:MSGBOX_TEXT"
need press "$box:IDYES"
need wait-gone "$box"
eventually "Quorbelind V1.00: $(winpath "$recovered")" "the recovered test is open" text "$MAIN"
expect_eq $'Moon 0 0\nZebra 0 1' "$(list_rows)" "both questions are listed"
write_test "$CASE_DIR/recovered.expected" lost_records
expect_same_file "$CASE_DIR/recovered.expected" "$recovered" "the journal's records behind the magic line"
expect_journal_names "$recovered" "the journal now belongs to the recovered test"

# The same with No: the journal goes, and the next start asks nothing.
define_question "Sun" "What is the Sun?" "A star"
crash
start_plain MAIN
get box wait-dialog --pid "$RUN_PID" --caption "Unsaved questions found ..."
need press "$box:IDNO"
need wait-gone "$box"
expect_nothing_asked "nothing more after No"
expect_no_file "$JOURNAL" "No deletes the journal"
expect_no_file "$CASE_DIR/exam recovered 2.tvt" "No writes no recovered test"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "a normal end"
start_plain MAIN
expect_nothing_asked "nothing is asked after No"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "a normal end"
