#!/usr/bin/env bash
# F1 in Quorbelind asks the help engine for the contents of the help file in
# the program directory: first seen by a stand-in viewer window that logs the
# call, then shown by the real viewer.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/help_helpers.bash"

start_help_receiver
start_program run_pid "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR"
get MAIN wait-window --pid "$run_pid" --class Quorbelind
need keys "$MAIN" F1
expect_help_calls "command=0x0003 file=$(help_path) key=" "F1 asks for the contents (HELP_CONTENTS) of the program directory's help file"
need command "$MAIN" IDM_HELP
expect_help_calls "command=0x0003 file=$(help_path) key=
command=0x0003 file=$(help_path) key=" "the Help menu command makes the same call"

# Without the stand-in, the real viewer opens the file at its contents.
receiver=$(drive windows --hidden --class MS_WINHELP | awk '{print $1}')
[ -n "$receiver" ] || die "the receiver window is gone"
need close "$receiver"
# Hidden from the start, the stand-in counts as gone only once its window is
# destroyed; before that the help engine would still find it.
eventually "" "the stand-in viewer is gone" windows --hidden --class MS_WINHELP
need keys "$MAIN" F1
get viewer wait-window --class MS_WINHELP --title-contains "Help"
expect_contents_page "$viewer" "after F1"
screenshot "$CASE_DIR/help-after-f1.png"
need close "$viewer"
need wait-gone "$viewer"
