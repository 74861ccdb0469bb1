#!/usr/bin/env bash
# The help viewer opens the help file of the program directory and shows its
# contents topic under the help title. The screenshot stays as an artefact.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/help_helpers.bash"

help_file="$PROGRAM_DIR/Quorbelind.hlp"
expect_file "$help_file" "the program directory holds the help file"
start_program viewer_pid "$HELP_VIEWER" --cwd "$PROGRAM_DIR" --args "$(winpath "$help_file")"
get viewer wait-window --pid "$viewer_pid" --title-contains "$HELP_TITLE"
expect_match "^$HELP_TITLE" "$(drive text "$viewer")" "the caption begins with the help title"
expect_contents_page "$viewer" "opened from the command line"
screenshot "$CASE_DIR/help-viewer.png"
expect_file "$CASE_DIR/help-viewer.png" "screenshot of the viewer kept"
need close "$viewer"
need wait-gone "$viewer"

# Topics found through |CONTEXT by their names: one whose hash is negative
# and the last one, which lies in the last block of the topic file.
for target in "attach_files:Attaching Files:Every question can carry up to four files" \
  "keys:Keys and Commands:F9 New Question, F10 Edit Question"; do
  IFS=: read -r context title start <<<"$target"
  start_program viewer_pid "$HELP_VIEWER" --cwd "$PROGRAM_DIR" --args "-i $context $(winpath "$help_file")"
  get viewer wait-window --pid "$viewer_pid" --title-contains "$HELP_TITLE"
  page=""
  deadline=$((SECONDS + 10))
  until [[ $page == *"$start"* ]] || [ $SECONDS -ge $deadline ]; do
    page=$(viewer_page "$viewer")
    sleep 0.2
  done
  expect_match "^$title"$'\n' "$page" "-i $context opens the topic \"$title\""
  expect_match "$start" "$page" "-i $context shows the topic's text"
  need close "$viewer"
  need wait-gone "$viewer"
done
