#!/usr/bin/env bash
# F1 and the Help command in Quorbelind ask the help engine for the contents
# of the help file in the program directory, as a stand-in viewer window that
# logs the calls sees them; the real viewer then shows that page.
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

# Without the stand-in, the real viewer opens the file at its contents. (The
# key's call is checked above; the command does not depend on which window
# the display gives the keyboard once the stand-in is gone. The viewer's
# first start in a new prefix may take a while.)
receiver=$(drive windows --hidden --class MS_WINHELP | awk '{print $1}')
[ -n "$receiver" ] || die "the receiver window is gone"
need close "$receiver"
need wait-gone "$receiver"
need post-command "$MAIN" IDM_HELP
get viewer wait-window --class MS_WINHELP --title-contains "Help" --timeout 30000
expect_contents_page "$viewer" "after Help"
screenshot "$CASE_DIR/help-after-help.png"
need close "$viewer"
need wait-gone "$viewer"
