#!/usr/bin/env bash
# The destination dialog: Cancel gives string 3, an empty name or a drive root
# is refused with string 4 and the dialog stays, a directory whose parent is
# missing gives string 10; none of them writes a registry entry or a file.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

REQUIRED='You have to specify a destination directory. If not already existing, it will be created automatically ...'

dist=$CASE_DIR/dist
make_distribution "$dist"

start_program pid "$dist/Install.exe" --cwd "$dist"
get dialog wait-dialog --pid "$pid" --caption "$INSTALL_CAPTION" --timeout 30000
for refused in '' 'C:' 'C:\' 'Z:\\'; do
  need set-text "$dialog:IDC_DESTINATION_DIRECTORY" "$refused" > /dev/null
  need press "$dialog:IDOK" > /dev/null
  answer_box "$pid" "$INSTALL_ERROR_CAPTION" "$REQUIRED" IDOK "the destination '$refused' is refused"
  expect_drive 1 "the destination dialog stays open after '$refused'" is-window "$dialog"
done
need press "$dialog:IDCANCEL" > /dev/null
answer_box "$pid" "$INSTALL_CAPTION" 'Installation aborted without copying files to your harddisk.
You later may run INSTALL.EXE again.' IDOK "Cancel is answered with string 3"
expect_exit_zero "$pid" "Install ends with exit code 0 after Cancel"

missing="$(winpath "$CASE_DIR/no such parent")\\Quorbelind"
start_program pid "$dist/Install.exe" --cwd "$dist"
get dialog wait-dialog --pid "$pid" --caption "$INSTALL_CAPTION" --timeout 30000
need set-text "$dialog:IDC_DESTINATION_DIRECTORY" "$missing" > /dev/null
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$INSTALL_ERROR_CAPTION" 'Destination directory could not be created.
Run INSTALL.EXE again and ensure to specify a valid directory name.' IDOK "a missing parent gives string 10"
expect_exit_zero "$pid" "Install ends with exit code 0 after string 10"
expect_no_file "$CASE_DIR/no such parent" "no directory was made"

expect_reg_missing "$KEY_MARKER" "no marker was written"
expect_reg_missing "$KEY_USER" "no DataPath was written"
expect_reg_missing 'HKCR\.tvt' "no association was written"
expect_reg_missing "$KEY_UNINSTALL_ENTRY" "no uninstall entry was written"
