#!/usr/bin/env bash
# A later start reads the stored values back: window rectangles and the
# question font are used; values that cannot be used are replaced or ignored
# as the settings store says, and a place on no monitor is moved onto one.
source "$(dirname "$0")/../lib.sh"

get cx metric SM_CXMAXIMIZED
get cy metric SM_CYMAXIMIZED
get system_font system-font

need reg-set "$KEY_USER" DataPath "$(winpath "$PROGRAM_DIR")\\"
need reg-set "$KEY_USER" WindowPosMain "00100,00050,00900,00650"
need reg-set "$KEY_USER" WinPosText "00010,00020,00300,00200"
need reg-set "$KEY_USER" WinPosBild "-0012,00030,00250,00150"
stored_font="-21,0,0,0,700,1,0,0,0,0,0,0,0,Odd, Face, Name"
need reg-set "$KEY_USER" Font "$stored_font"
need reg-set "$KEY_USER" ListDetails 1

start_program pid "$PROGRAM_DIR/Quorbelind.exe"
get main wait-window --pid "$pid" --class Quorbelind
get text_pane wait-window --pid "$pid" --class Text
get picture_pane wait-window --pid "$pid" --class Bild
expect_drive "100 50 900 650" "main window at the stored corners" rect "$main"
expect_drive "10 20 310 220" "Text pane at the stored corner and size" rect "$text_pane"
expect_drive "-12 30 238 180" "Bild pane at a stored negative coordinate" rect "$picture_pane"
expect_drive "$stored_font" "keyword label in the stored font, commas kept in the face name" \
  font "$main:IDC_TEST_PANE:IDC_KEYWORD_LABEL"
expect_drive "$stored_font" "question box in the stored font" font "$main:IDC_TEST_PANE:IDC_QUESTION_BOX"
# The fifth answer box is the last.
expect_drive "$stored_font" "last answer box in the stored font" font "$main:IDC_TEST_PANE:$((IDC_ANSWER_BOX_FIRST + 4))"
expect_reg "$KEY_USER" Font "$stored_font" "the stored font stays as it was"
expect_reg "$KEY_USER" WinPosText "00010,00020,00300,00200" "the stored Text rectangle stays as it was"
expect_reg "$KEY_USER" DataPath "$(winpath "$PROGRAM_DIR")\\" "DataPath is not rewritten"
expect_drive 1 "a stored ListDetails of 1 starts with Details checked" menu-checked "$main" IDM_OPTIONS_DETAILS
expect_eq 1 "$(( $(drive style "$main:IDC_QUESTION_LIST" | cut -d' ' -f1) & 3 ))" "the list starts as a report view"
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "first program ended"

# A rectangle of 24 characters counts as missing; a font of 12 commas is not used.
need reg-set "$KEY_USER" WinPosText "00010,00020,00300,002000"
short_font="-21,0,0,0,700,1,0,0,0,0,0,0,Arial"
need reg-set "$KEY_USER" Font "$short_font"
need reg-set "$KEY_USER" ListDetails yes
start_program pid "$PROGRAM_DIR/Quorbelind.exe"
get main wait-window --pid "$pid" --class Quorbelind
get text_pane wait-window --pid "$pid" --class Text
expect_reg "$KEY_USER" WinPosText "$(printf '%05d,%05d,%05d,%05d' 0 $((2 * (cy / 3))) $((cx / 2)) $((cy / 3)))" \
  "an overlong WinPosText is replaced by the default"
expect_drive "0 $((2 * (cy / 3))) $((cx / 2)) $((2 * (cy / 3) + cy / 3))" "Text pane at the default place" \
  rect "$text_pane"
expect_drive "$system_font" "a font value with 12 commas gives the system font" \
  font "$main:IDC_TEST_PANE:IDC_KEYWORD_LABEL"
expect_reg "$KEY_USER" Font "$short_font" "the unusable font value stays unchanged"
expect_drive 0 "a ListDetails other than 1 is the plain list" menu-checked "$main" IDM_OPTIONS_DETAILS
expect_reg "$KEY_USER" ListDetails yes "an unknown ListDetails is left as it is"
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "second program ended"

# Without a Font value the system font is used and written again.
need reg-delete-value "$KEY_USER" Font
start_program pid "$PROGRAM_DIR/Quorbelind.exe"
get main wait-window --pid "$pid" --class Quorbelind
expect_drive "$system_font" "a deleted Font value gives the system font" \
  font "$main:IDC_TEST_PANE:IDC_KEYWORD_LABEL"
expect_reg "$KEY_USER" Font "$system_font" "the default font is written back"
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "third program ended"

# A place on no monitor (stored while another display was attached) is shown
# on the nearest monitor instead, with its size.
get screen_width metric SM_CXSCREEN
get screen_height metric SM_CYSCREEN
need reg-set "$KEY_USER" WindowPosMain "03000,00100,03700,00600"
need reg-set "$KEY_USER" WinPosText "00100,05000,00300,00200"
start_program pid "$PROGRAM_DIR/Quorbelind.exe"
get main wait-window --pid "$pid" --class Quorbelind
get text_pane wait-window --pid "$pid" --class Text
expect_drive "$((screen_width - 700)) 100 $screen_width 600" "the main window is moved onto the screen" rect "$main"
expect_drive "100 $((screen_height - 200)) 400 $screen_height" "the Text pane is moved onto the screen" \
  rect "$text_pane"
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "fourth program ended"
