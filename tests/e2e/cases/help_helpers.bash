# Helpers of the help cases; sourced after tests/e2e/lib.sh.
# shellcheck shell=bash

# The help file's title and the first words of its contents topic, as the
# help source (docs/help) gives them.
HELP_TITLE='Quorbelind V1.00 Help'
HELP_CONTENTS_HEADING='Quorbelind Help'
HELP_CONTENTS_START='Quorbelind is a program for writing question-and-answer tests'
HELP_RECEIVER="$QB_WIN_BUILD/tests/e2e/qbhelpcalls.exe"
HELP_VIEWER="$WINEPREFIX/drive_c/windows/system32/winhlp32.exe"
HELP_LOG="$CASE_DIR/help-calls.log"

# The help path the programs name: the program directory and the file name.
help_path() {
  echo "$(winpath "$PROGRAM_DIR")\\Quorbelind.hlp"
}

# start_help_receiver: the stand-in viewer window (class MS_WINHELP) that
# logs every WinHelpA call; waits until it is ready.
start_help_receiver() {
  local receiver_pid deadline
  rm -f "$HELP_LOG"
  start_program receiver_pid "$HELP_RECEIVER" --cwd "$CASE_DIR" --args "$(winpath "$HELP_LOG")"
  deadline=$((SECONDS + 20))
  until grep -q '^ready' "$HELP_LOG" 2>/dev/null; do
    [ $SECONDS -ge $deadline ] && die "the help call receiver did not start"
    sleep 0.1
  done
}

# help_calls: the logged calls, one a line, without the start line.
help_calls() {
  tr -d '\r' < "$HELP_LOG" | grep -v '^ready$'
}

# expect_help_calls EXPECTED WHAT: waits until the log holds EXPECTED.
expect_help_calls() {
  local expected=$1 what=$2 deadline
  deadline=$((SECONDS + ${QB_E2E_WAIT:-10}))
  while [ "$(help_calls)" != "$expected" ] && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  expect_eq "$expected" "$(help_calls)" "$what"
}

# viewer_page WINDOW: the text of the viewer's page (its rich-edit child),
# with bytes above 0x7F (the bullets) shown as "?" so that logs stay text.
viewer_page() {
  local page
  page=$(drive children "$1" | tr '\200-\377' '?' | grep -i 'class=RichEdit' | head -n 1 | awk '{print $1}')
  [ -n "$page" ] || return 1
  drive text "$page" | tr '\200-\377' '?' | tr -d '\r'
}

# expect_contents_page WINDOW WHAT: the viewer shows the contents topic.
expect_contents_page() {
  local text="" deadline
  deadline=$((SECONDS + ${QB_E2E_WAIT:-10}))
  while [ $SECONDS -lt $deadline ]; do
    text=$(viewer_page "$1")
    [[ $text == *"$HELP_CONTENTS_START"* ]] && break
    sleep 0.2
  done
  expect_match "^$HELP_CONTENTS_HEADING" "$text" "$2: the page begins with the contents heading"
  expect_match "$HELP_CONTENTS_START" "$text" "$2: the contents text"
  local topic
  for topic in "Writing a Test" "Defining a new Question" "Editing a Question" "Removing a Question" "Attaching Files" \
    "Practising a Test" "Learning from your mistakes" "Saving and Files" "Exporting a Test with Creator" "Uninstalling Quorbelind"; do
    expect_match $'\n\\? '"$topic"$'(\n|$)' "$text" "$2: the contents lists \"$topic\""
  done
}
