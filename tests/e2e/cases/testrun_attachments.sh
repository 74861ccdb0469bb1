#!/usr/bin/env bash
# The files attached to a question and to its answer: plain and rich text in
# the Text pane, bitmaps of 1, 4, 8 and 24 bits in the Bild pane, centred when
# they fit and scrollable when they do not.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"

# Attachments in the program directory, named with "*" in the test.
printf 'First line of the note\r\nSecond line of the note\r\n' > "$PROGRAM_DIR/note.txt"
printf 'The answer, explained\r\n' > "$PROGRAM_DIR/answer.txt"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 {\\b Bold} and plain words\\par}\r\n' > "$PROGRAM_DIR/rich.RtF"
convert -size 40x30 xc:'#ff0000' BMP3:"$PROGRAM_DIR/small.bmp"
# Taller than the pane: green on top, blue at the bottom, grey steps between
# (more than 16 colours, so 8 bits per pixel).
convert -size 60x1200 gradient:'#606060'-'#a0a0a0' -fill '#00c000' -draw 'rectangle 0,0 59,19' \
  -fill '#0000ff' -draw 'rectangle 0,1180 59,1199' -type Palette BMP3:"$PROGRAM_DIR/tall.bmp"
# Wider than the pane: red at the left to blue at the right in 16 steps (4 bits).
convert -size 50x2000 gradient:red-blue -rotate -90 -colors 16 -type Palette BMP3:"$PROGRAM_DIR/wide.bmp"
convert -size 50x40 xc:black -type Bilevel BMP3:"$PROGRAM_DIR/mono.bmp"
bits() { od -An -tu2 -j28 -N2 "$PROGRAM_DIR/$1" | tr -d ' '; }
expect_eq "24 8 4 1" "$(bits small.bmp) $(bits tall.bmp) $(bits wide.bmp) $(bits mono.bmp)" \
  "the pictures have the depths under test"

questions() {
  record "Plain" "Note and small picture" "Yes" "" "" "" "" "*note.txt" "*small.bmp" "*answer.txt" "*wide.bmp"
  record "Rich" "Rich text and tall picture" "Yes" "" "" "" "" "*rich.RtF" "*tall.bmp" "" ""
  record "Mono" "One bit per pixel" "Yes" "" "" "" "" "" "*mono.bmp" "" ""
}
test_file="$CASE_DIR/FILES.TVT"
write_test "$test_file" questions
MONO=0 PLAIN=1 RICH=2

start_test MAIN "$test_file"
get text_pane wait-window --pid "$RUN_PID" --class Text
get picture_pane wait-window --pid "$RUN_PID" --class Bild
rich="$text_pane:IDC_RICH_TEXT"

# The pane below the main window and inside the screen, so that screenshots see all of it.
need move "$picture_pane" 700 690 500 320
expect_reg "$KEY_USER" WinPosBild "00700,00690,00500,00320" "the Bild pane's place is stored"
need move "$text_pane" 10 690 600 300
expect_reg "$KEY_USER" WinPosText "00010,00690,00600,00300" "the Text pane's place is stored"
# Pane geometry on the screen: window rectangle and client size.
read -r win_left win_top win_right win_bottom <<<"$(drive rect "$picture_pane")"
client() { drive client-size "$picture_pane"; }
# Colour (RRGGBB) of the screen pixel at client position X Y.
pixel() {
  screenshot "$CASE_DIR/shot.png"
  convert "$CASE_DIR/shot.png" -format "%[hex:p{$((client_left + $1)),$((client_top + $2))}]" info: | cut -c1-6
}

# pixel_soon COLOUR X Y WHAT: keys arrive asynchronously; polls the pixel.
pixel_soon() {
  local seen deadline=$((SECONDS + ${QB_E2E_WAIT:-10}))
  while :; do
    seen=$(pixel "$2" "$3")
    [ "$seen" = "$1" ] || [ $SECONDS -ge $deadline ] && break
  done
  expect_eq "$1" "$seen" "$4"
}

ask_item $PLAIN
expect_eq $'First line of the note\nSecond line of the note' "$(drive text "$rich" | tr -d '\r')" \
  "a plain-text file reaches the Text pane"
read -r full_width full_height <<<"$(client)"
# No scroll bar is shown: the client area is the whole inside of the frame.
border=$(( (win_right - win_left - full_width) / 2 ))
client_left=$((win_left + border))
client_top=$((win_bottom - border - full_height))
x0=$(( (full_width - 40) / 2 ))
y0=$(( (full_height - 30) / 2 ))
expect_eq FF0000 "$(pixel $((full_width / 2)) $((full_height / 2)))" "the small picture is in the middle"
expect_eq FF0000 "$(pixel "$x0" "$y0")" "its top left corner where centring puts it"
expect_eq FF0000 "$(pixel $((x0 + 39)) $((y0 + 29)))" "its bottom right corner where centring puts it"
expect_eq FFFFFF "$(pixel $((x0 - 1)) "$y0")" "background left of it"
expect_eq FFFFFF "$(pixel $((x0 + 40)) $((y0 + 29)))" "background right of it"
expect_eq FFFFFF "$(pixel 2 2)" "background in the pane's corner"

# The answer's files replace the question's.
need command "$MAIN" IDM_TEST_SHOW_ANSWER
expect_eq "The answer, explained" "$(drive text "$rich" | tr -d '\r')" "the answer's text file after Show answer"
read -r width height <<<"$(client)"
expect_eq "$full_width" "$width" "a wide picture takes no room for a vertical bar"
expect_ne "$full_height" "$height" "a wide picture gets a horizontal scroll bar"
# Colour (RRGGBB) of a picture file's pixel.
picture_pixel() { convert "$PROGRAM_DIR/$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
row=$(( (height - 50) / 2 + 25 ))
expect_ne "$(picture_pixel wide.bmp 0 25)" "$(picture_pixel wide.bmp "$width" 25)" "the wide picture changes colour along its width"
pixel_soon "$(picture_pixel wide.bmp 0 25)" 0 "$row" "the wide picture is centred across and starts at its left"
need keys "$picture_pane" Right
pixel_soon "$(picture_pixel wide.bmp "$width" 25)" 0 "$row" "Right moves a whole view width"

ask_item $RICH
expect_match '^Bold and plain words' "$(drive text "$rich")" "a .RtF file is streamed as rich text"
read -r width height <<<"$(client)"
expect_ne "$full_width" "$width" "a tall picture gets a vertical scroll bar"
expect_eq "$full_height" "$height" "a tall picture needs no horizontal bar"
middle=$((width / 2))
expect_eq 00C000 "$(pixel "$middle" 5)" "the tall picture starts at its top"
need keys "$picture_pane" End
pixel_soon 0000FF "$middle" $((height - 5)) "End shows the bottom"
need keys "$picture_pane" Down
pixel_soon 0000FF "$middle" $((height - 5)) "no scrolling below the bottom"
need keys "$picture_pane" Home
pixel_soon 00C000 "$middle" 5 "Home shows the top again"
need keys "$picture_pane" Down
pixel_soon "$(convert "$PROGRAM_DIR/tall.bmp" -format "%[hex:p{30,$((height / 10 + 5))}]" info: | cut -c1-6)" \
  "$middle" 5 "Down moves a tenth of the view"


ask_item $MONO
expect_eq "" "$(drive text "$rich")" "asking again empties the Text pane"
read -r width height <<<"$(client)"
expect_eq "$full_width $full_height" "$width $height" "a fitting picture shows no scroll bars"
expect_eq 000000 "$(pixel $((full_width / 2)) $((full_height / 2)))" "the one-bit picture is shown"
expect_eq FFFFFF "$(pixel $(( (full_width - 50) / 2 - 1 )) $((full_height / 2)))" "beside it the background"

# A moved test: the folder its files were attached from is gone, and "*"
# names are missing from the program directory; the files of the same names
# beside the test are shown instead.
source "$(dirname "$0")/editor_helpers.bash"
moved=$CASE_DIR/moved
mkdir -p "$moved"
convert -size 40x30 xc:'#00ff00' BMP3:"$moved/green.bmp"
printf 'Beside the moved test\r\n' > "$moved/beside.txt"
moved_questions() {
  record "Moved" "Files beside the test" "Yes" "" "" "" "" "*beside.txt" "$(winpath "$CASE_DIR/gone")\\green.bmp" "" ""
}
write_test "$moved/MOVED.TVT" moved_questions
need post-command "$MAIN" IDM_FILE_OPEN
# The answer shown above and left unmarked was a miss, so the test has
# changed: Open asks to save it first.
get box wait-dialog --pid "$RUN_PID" --caption "Attention:"
expect_drive "Changings are not saved! Do you want to save now?" "the miss made the test changed" text "$box:MSGBOX_TEXT"
need press "$box:IDNO"
need wait-gone "$box"
file_dialog "Open a Test ..." "$(winpath "$moved/MOVED.TVT")"
eventually "Quorbelind V1.00: $(winpath "$moved/MOVED.TVT")" "the moved test is open" text "$MAIN"
ask_item 0
expect_eq "Beside the moved test" "$(drive text "$rich" | tr -d '\r')" "the text file beside the test is shown"
expect_eq 00FF00 "$(pixel $((full_width / 2)) $((full_height / 2)))" "the picture beside the test is shown"
