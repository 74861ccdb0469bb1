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
