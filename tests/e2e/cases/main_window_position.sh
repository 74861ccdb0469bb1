#!/usr/bin/env bash
# Moving and resizing the main window and the Text pane store their
# rectangles at once; maximised and minimised placements are never stored.
source "$(dirname "$0")/../lib.sh"

start_program pid "$PROGRAM_DIR/Quorbelind.exe"
get main wait-window --pid "$pid" --class Quorbelind

need move "$main" 37 45 700 500
expect_drive "37 45 737 545" "main window moved and sized" rect "$main"
expect_reg "$KEY_USER" WindowPosMain "00037,00045,00737,00545" "moving writes WindowPosMain (left, top, right, bottom)"

need move "$main" -12 20
expect_reg "$KEY_USER" WindowPosMain "-0012,00020,00688,00520" "a negative coordinate is stored with its sign"

need show "$main" maximize
expect_ne "-12 20 688 520" "$(drive rect "$main")" "the window is maximised"
expect_reg "$KEY_USER" WindowPosMain "-0012,00020,00688,00520" "maximising does not change WindowPosMain"
need show "$main" restore
expect_drive "-12 20 688 520" "restored to the last normal placement" rect "$main"
need show "$main" minimize
expect_reg "$KEY_USER" WindowPosMain "-0012,00020,00688,00520" "minimising does not change WindowPosMain"
need show "$main" restore

get text_pane wait-window --pid "$pid" --class Text
need move "$text_pane" 200 300 400 250
expect_reg "$KEY_USER" WinPosText "00200,00300,00400,00250" "moving the Text pane writes left, top, width, height"
get picture_pane wait-window --pid "$pid" --class Bild
need move "$picture_pane" 640 310 300 200
expect_reg "$KEY_USER" WinPosBild "00640,00310,00300,00200" "moving the Bild pane writes its rectangle"

need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "Exit ends the program with exit code 0"

# The next start uses what was stored last.
start_program pid "$PROGRAM_DIR/Quorbelind.exe"
get main wait-window --pid "$pid" --class Quorbelind
expect_drive "-12 20 688 520" "the next start uses the stored main rectangle" rect "$main"
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "second program ended"
