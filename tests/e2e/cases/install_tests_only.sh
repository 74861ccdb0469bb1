#!/usr/bin/env bash
# With this version installed already, Install asks and then copies only the
# test into the DataPath directory: no destination or shortcut dialog, no
# registry entry. An existing file raises the overwrite question; a list line
# leading out of the directory is refused and counted.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

ALREADY='Quorbelind is already installed in same version.
Refer to Quorbelinds online help for Uninstallation ...
To install attached tests only click "OK" or "Cancel" instead !'

make_marker() {
  need reg-set "$KEY_MARKER" made-by-the-test x > /dev/null
  need reg-delete-value "$KEY_MARKER" made-by-the-test > /dev/null
}

dist=$CASE_DIR/disk
installed=$CASE_DIR/Installed
mkdir -p "$installed"
make_distribution "$dist" '..\evil.txt'
printf 'the learner'"'"'s own copy\r\n' > "$installed/Astronomy.tvt"
cp "$installed/Astronomy.tvt" "$CASE_DIR/own-copy"
make_marker
need reg-set "$KEY_USER" DataPath "$(winpath "$installed")\\" > /dev/null

start_program pid "$dist/Install.exe" --cwd "$dist"
answer_box "$pid" "$INSTALL_CAPTION" "$ALREADY" IDOK "the installed version is found and the user asked"
answer_box "$pid" 'File already exists !' "Should existing file be overwritten: $(winpath "$installed")\\Astronomy.tvt" IDNO \
  "the existing test raises the overwrite question"
answer_box "$pid" "$INSTALL_ERROR_CAPTION" "Could not copy a file: $(winpath "$dist")\\T0000008" IDOK \
  "the line ..\\evil.txt is not copied; the message names its source file"
answer_box "$pid" "$INSTALL_ERROR_CAPTION" '1 Not all files copied ...' IDOK "the refused line is counted"
answer_box "$pid" "$INSTALL_ERROR_CAPTION" '1 Some existing files were not replaced ...' IDOK "the kept file is counted"
answer_box "$pid" "$INSTALL_ADVICE_CAPTION" "$INSTALL_ADVICE" IDOK "the advice follows the counts"
answer_box "$pid" "$INSTALL_CAPTION" "$INSTALL_DONE" IDOK "the run ends with the final message"
expect_exit_zero "$pid" "Install ends with exit code 0"

expect_same_file "$CASE_DIR/own-copy" "$installed/Astronomy.tvt" "the kept test is unchanged"
k=2
for name in "${SAMPLE_ATTACHMENTS[@]}"; do
  expect_same_file "$dist/$(printf 'T%07d' $k)" "$installed/$name" "attachment $name is installed"
  k=$((k + 1))
done
expect_eq "" "$(find "$CASE_DIR" "$WINEPREFIX/drive_c" -iname 'evil.txt' 2>/dev/null)" "no evil.txt anywhere"
expect_eq 7 "$(find "$installed" -type f | wc -l)" "no program file was copied"
expect_reg_missing 'HKCR\.tvt' "no association is written in tests-only mode"
expect_reg_missing "$KEY_UNINSTALL_ENTRY" "no uninstall entry is written in tests-only mode"
expect_reg "$KEY_USER" DataPath "$(winpath "$installed")\\" "DataPath is left as it was"
expect_eq "" "$(shortcut_files)" "no shortcut is made in tests-only mode"

# Without a DataPath of the current user, the default user's value is used.
need reg-delete "$KEY_USER" > /dev/null
other=$CASE_DIR/Other
mkdir -p "$other"
make_distribution "$CASE_DIR/disk2"
need reg-set "$KEY_USER_DEFAULT" DataPath "$(winpath "$other")" > /dev/null
start_program pid "$CASE_DIR/disk2/Install.exe" --cwd "$CASE_DIR/disk2"
answer_box "$pid" "$INSTALL_CAPTION" "$ALREADY" IDOK "the second run asks again"
answer_box "$pid" "$INSTALL_CAPTION" "$INSTALL_DONE" IDOK "the second run copies without a question"
expect_exit_zero "$pid" "the second run ends with exit code 0"
expect_same_file "$CASE_DIR/disk2/T0000001" "$other/Astronomy.tvt" "the test went to the default user's DataPath"

# Without any DataPath the directory cannot be located.
need reg-delete "$KEY_USER_DEFAULT" > /dev/null
start_program pid "$CASE_DIR/disk2/Install.exe" --cwd "$CASE_DIR/disk2"
answer_box "$pid" "$INSTALL_CAPTION" "$ALREADY" IDOK "the third run asks again"
answer_box "$pid" "$INSTALL_ERROR_CAPTION" 'Can not locate the Quorbelinds directory !
Perhaps you may try to uninstall and then install Quorbelind completely again ...' IDOK "a missing DataPath is reported"
expect_exit_zero "$pid" "the third run ends with exit code 0"

# Cancel at the question ends Install at once.
start_program pid "$CASE_DIR/disk2/Install.exe" --cwd "$CASE_DIR/disk2"
answer_box "$pid" "$INSTALL_CAPTION" "$ALREADY" IDCANCEL "the fourth run asks again"
expect_exit_zero "$pid" "Cancel ends Install silently with exit code 0"
