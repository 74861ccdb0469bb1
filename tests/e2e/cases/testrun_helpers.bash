# Helpers of the test-run cases; sourced after tests/e2e/lib.sh.
# shellcheck shell=bash
export LC_ALL=C  # lengths below are byte counts

RUN_ATTENTION='Attention:'

# record KEYWORD SLOT0 ... SLOT9: one question record as the format lays it
# out: keyword line, ten length lines, the status line ($STATUS_LINE, or 0),
# then the slots back to back.
# Texts are given with their line breaks already stored as 0x02 0x01.
record() {
  local keyword=$1 slot
  shift
  [ $# -eq 10 ] || die "record $keyword: ten slots needed, $# given"
  printf '%s\r\n' "$keyword"
  for slot in "$@"; do printf '%d\r\n' "${#slot}"; done
  printf '%s\r\n' "${STATUS_LINE:-0}"
  for slot in "$@"; do printf '%s' "$slot"; done
}

# write_test PATH RECORD-FUNCTION: the magic line, the records the function
# prints, and the empty line that ends a test with questions.
write_test() {
  local path=$1 records=$2
  { printf 'QBKX0101A\r\n'; "$records"; printf '\r\n'; } > "$path"
}

# start_test VAR PATH: Quorbelind with the test on its command line; VAR gets
# the main window. The program directory is the case's own copy.
start_test() {
  local main_var=$1 path=$2 started_pid main_window
  start_program started_pid "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR" --args "$(winpath "$path")"
  get main_window wait-window --pid "$started_pid" --class Quorbelind --title-contains ": "
  printf -v "$main_var" '%s' "$main_window"
  RUN_PID=$started_pid
}

# The Test pane's children of main window $MAIN.
pane() { echo "$MAIN:IDC_TEST_PANE:$1"; }
answer_box() { echo "$MAIN:IDC_TEST_PANE:$((IDC_ANSWER_BOX_FIRST + $1))"; }

# Texts of the visible answer boxes, one a line, top row first.
shown_answers() {
  local k
  for k in 0 1 2 3 4; do
    [ "$(drive visible "$(answer_box $k)")" = 1 ] && drive text "$(answer_box $k)"
  done
}

# The row (0 to 4) whose answer box shows TEXT, or -1.
row_of() {
  local k
  for k in 0 1 2 3 4; do
    if [ "$(drive visible "$(answer_box $k)")" = 1 ] && [ "$(drive text "$(answer_box $k)")" = "$1" ]; then
      echo $k
      return
    fi
  done
  echo -1
}

# click_marker ROW: the click notification of answer marker ROW (question
# marker for -1), posted as the marker sends it, so a message box it leads to
# cannot block the driver.
click_marker() {
  local id=$((IDC_ANSWER_MARKER_FIRST + $1))
  [ "$1" -lt 0 ] && id=$IDC_QUESTION_MARKER
  need post "$MAIN:IDC_TEST_PANE" 273 "$id" 0
}

# expect_counters ASKED CORRECT REMAINING WHAT
expect_counters() {
  eventually "$1" "$4: asked" status "$MAIN:IDC_STATUS_BAR" 0
  expect_drive "$2" "$4: correct" status "$MAIN:IDC_STATUS_BAR" 1
  expect_drive "$3" "$4: remaining" status "$MAIN:IDC_STATUS_BAR" 2
}

# expect_image ITEM IMAGE WHAT: the list image of the item at position ITEM.
expect_image() {
  local line
  line=$(drive lv-items "$MAIN:IDC_QUESTION_LIST" | sed -n "$(($1 + 1))p")
  expect_eq "$2" "$(cut -f3 <<<"$line")" "$3"
}

# The keywords of the question list, top to bottom, on one line.
list_keywords() {
  drive lv-items "$MAIN:IDC_QUESTION_LIST" | cut -f2 | paste -sd ' '
}

# eventually_keywords KEYWORDS WHAT: waits until the list shows KEYWORDS in
# this order (a header click is posted).
eventually_keywords() {
  local deadline=$((SECONDS + ${QB_E2E_WAIT:-10})) out
  until out=$(list_keywords) && [ "$out" = "$1" ] || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
  expect_eq "$1" "$out" "$2"
}

# expect_box TEXT WHAT: a message box of the program with the caption
# "Attention:" and TEXT; it is closed with OK.
expect_box() {
  local box
  get box wait-dialog --pid "$RUN_PID" --caption "$RUN_ATTENTION"
  expect_drive "$1" "$2" text "$box:MSGBOX_TEXT"
  need press "$box:IDOK"
  need wait-gone "$box"
}

# ask_item ITEM: selects the list item and asks it.
ask_item() {
  need lv-select "$MAIN:IDC_QUESTION_LIST" "$1"
  need command "$MAIN" IDM_TEST_ASK
}

# expect_rows ROWS WHAT: the question box and the first ROWS - 1 answer boxes
# stand where the row layout puts them in the Test pane's current size.
expect_rows() {
  local rows=$1 what=$2 width height h top0 k l t r b
  read -r width height <<<"$(drive client-size "$MAIN:IDC_TEST_PANE")"
  h=$(( (height - 5 * (rows / 2) - 50) / rows ))
  read -r l top0 r b <<<"$(drive rect "$(pane IDC_QUESTION_BOX)")"
  expect_eq "$((width - 46)) $h" "$((r - l)) $((b - top0))" "$what: question box size"
  for ((k = 0; k < rows - 1; k++)); do
    read -r l t r b <<<"$(drive rect "$(answer_box $k)")"
    expect_eq "$((45 + h + k * (h + 5) - 35)) $h" "$((t - top0)) $((b - t))" "$what: answer row $((k + 1))"
  done
}

# Colour (RRGGBB) of the screen pixel at X Y.
screen_pixel() {
  screenshot "$CASE_DIR/screen.png"
  convert "$CASE_DIR/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}

# The colour with every channel inverted.
inverted() {
  printf '%02X%02X%02X' $((255 - 16#${1:0:2})) $((255 - 16#${1:2:2})) $((255 - 16#${1:4:2}))
}

# menu_item ID: the state and the text (without its key) of the main menu's item ID.
menu_item() {
  drive menu "$MAIN" | awk -F'\t' -v id="$1" '$2 == id { print $3 "\t" $4; exit }'
}

# answer_key TEXT: Ctrl + the number of the row that shows TEXT.
answer_key() {
  need keys "$MAIN" "ctrl+$(($(row_of "$1") + 1))"
}
