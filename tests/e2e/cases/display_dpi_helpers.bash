# The main window at a display resolution: the sample test open, the Test
# pane at a stated size grown by DPI / 96 and a multiple-choice question of
# six rows asked. Every window of the layout lies inside its parent without
# overlapping another, the rows are those of 96 DPI scaled, and the keyword
# label is tall and wide enough for its text. Wine takes the resolution from
# LogPixels of the current user (the runner removes it before each case).
# shellcheck shell=bash
source "$(dirname "$0")/testrun_helpers.bash"

# The Test pane's client size at 96 DPI, and its rows there for a question
# with five answers (worked out by hand: rows of (400 - 3 * 5 - 50) / 6 = 55).
BASE_PANE_WIDTH=600
BASE_PANE_HEIGHT=400
# name, rows above it, x y width height at 96 DPI
BASE_PLACES="IDC_KEYWORD_LABEL 0 10 5 564 20
IDC_QUESTION_MARKER 0 10 35 16 16
IDC_QUESTION_BOX 0 36 35 554 55"
for k in 0 1 2 3 4; do
  BASE_PLACES+=$'\n'"$((IDC_ANSWER_MARKER_FIRST + k)) $((k + 1)) 10 $((100 + 60 * k)) 16 16"
  BASE_PLACES+=$'\n'"$((IDC_ANSWER_BOX_FIRST + k)) $((k + 1)) 36 $((100 + 60 * k)) 554 55"
done

# scaled N: N pixels of 96 DPI at the case's DPI, rounded.
scaled() { echo $(( ($1 * DPI + 48) / 96 )); }

# expect_near EXPECTED-TIMES-96 ACTUAL TOLERANCE WHAT: |ACTUAL - EXPECTED| <= TOLERANCE.
expect_near() {
  qb_checks=$((qb_checks + 1))
  local difference=$(( $2 * 96 - $1 ))
  [ $difference -lt 0 ] && difference=$(( -difference ))
  if [ $difference -le $(( $3 * 96 )) ]; then
    pass "$4"
  else
    fail "$4: expected $(( ($1 + 48) / 96 )) within $3, saw $2"
  fi
}

# places_of PARENT CHILD...: "name x y width height" per visible child.
places_of() {
  local parent=$1 child
  shift
  for child in "$@"; do
    [ "$(drive visible "$parent:$child")" = 1 ] && echo "$child $(drive place "$parent:$child")"
  done
}

# expect_inside_without_overlap WIDTH HEIGHT WHAT < places: every place lies
# within 0 0 WIDTH HEIGHT and no two of them share a pixel. The toolbar puts
# its one-pixel border outside the client area itself: only its inside counts.
expect_inside_without_overlap() {
  local width=$1 height=$2 what=$3 verdict
  verdict=$(awk -v W="$width" -v H="$height" '
    $1 == "IDC_TOOLBAR" { $2 += 1; $3 += 1; $4 -= 2; $5 -= 2 }
    { n[NR] = $1; x[NR] = $2; y[NR] = $3; w[NR] = $4; h[NR] = $5
      if ($2 < 0 || $3 < 0 || $2 + $4 > W || $3 + $5 > H) print $1 " leaves its parent (" $2 " " $3 " " $4 " " $5 ")" }
    END { for (i = 1; i <= NR; i++) for (j = i + 1; j <= NR; j++)
            if (x[i] < x[j] + w[j] && x[j] < x[i] + w[i] && y[i] < y[j] + h[j] && y[j] < y[i] + h[i])
              print n[i] " overlaps " n[j] }')
  expect_eq "" "$verdict" "$what: inside the parent, none overlapping"
}

# size_test_pane WIDTH HEIGHT: the main window resized so that the Test
# pane's client area gets that size (its margins are fixed, so one move does).
size_test_pane() {
  local want_width=$1 want_height=$2 width height left top right bottom
  read -r width height <<<"$(drive client-size "$MAIN:IDC_TEST_PANE")"
  read -r left top right bottom <<<"$(drive rect "$MAIN")"
  need move "$MAIN" "$left" "$top" $((right - left + want_width - width)) $((bottom - top + want_height - height))
  eventually "$want_width $want_height" "the Test pane's client size" client-size "$MAIN:IDC_TEST_PANE"
}

# check_layout_at DPI
check_layout_at() {
  DPI=$1
  need reg-set 'HKCU\Control Panel\Desktop' LogPixels "$DPI" --type dword
  start_test MAIN "$PROGRAM_DIR/Astronomy.tvt"
  local width height item name above x y w h
  size_test_pane "$(scaled $BASE_PANE_WIDTH)" "$(scaled $BASE_PANE_HEIGHT)"
  item=$(drive lv-items "$MAIN:IDC_QUESTION_LIST" | awk -F '\t' '$2 == "Nearest star" { print $1 }')
  [ -n "$item" ] || die "the sample test has no question \"Nearest star\""
  ask_item "$item"
  expect_eq 5 "$(shown_answers | wc -l)" "the question shows its five answers"

  read -r width height <<<"$(drive client-size "$MAIN")"
  places_of "$MAIN" IDC_TOOLBAR IDC_QUESTION_LIST IDC_TEST_PANE IDC_STATUS_BAR > "$CASE_DIR/main.places"
  expect_eq 4 "$(wc -l < "$CASE_DIR/main.places")" "the main window's four children are shown"
  expect_inside_without_overlap "$width" "$height" "the main window's children" < "$CASE_DIR/main.places"

  read -r width height <<<"$(drive client-size "$MAIN:IDC_TEST_PANE")"
  while read -r name above x y w h; do
    echo "$name $(drive place "$MAIN:IDC_TEST_PANE:$name")"
  done <<<"$BASE_PLACES" > "$CASE_DIR/pane.places"
  expect_inside_without_overlap "$width" "$height" "the Test pane's rows" < "$CASE_DIR/pane.places"
  local px py pw ph
  while read -r name above x y w h _ px py pw ph; do
    expect_near $((x * DPI)) "$px" $((1 + above)) "$name: left"
    expect_near $((y * DPI)) "$py" $((1 + above)) "$name: top"
    expect_near $((w * DPI)) "$pw" 1 "$name: width"
    expect_near $((h * DPI)) "$ph" 1 "$name: height"
  done < <(paste -d ' ' <(echo "$BASE_PLACES") "$CASE_DIR/pane.places")

  local text_width text_height label_width label_height
  expect_drive "Nearest star" "the keyword label's text" text "$(pane IDC_KEYWORD_LABEL)"
  read -r text_width text_height <<<"$(drive text-extent "$(pane IDC_KEYWORD_LABEL)")"
  read -r label_width label_height <<<"$(drive client-size "$(pane IDC_KEYWORD_LABEL)")"
  qb_checks=$((qb_checks + 1))
  [ "$text_width" -le "$label_width" ] && [ "$text_height" -le "$label_height" ] &&
    pass "the keyword label holds its text" ||
    fail "the keyword label is clipped: text $text_width x $text_height in $label_width x $label_height"

  need post-command "$MAIN" IDM_EXIT
  expect_eq 0 "$(wait_exit "$RUN_PID")" "Exit ends the program"
}
