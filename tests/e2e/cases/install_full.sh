#!/usr/bin/env bash
# A full installation from a distribution directory: every system entry with
# its exact text, the six program files under their real names, the test and
# its attachments under the names of TEST.LST, the three shortcuts, and the
# installed test opened through its association.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/setup_helpers.bash"

dist=$CASE_DIR/dist
target=$CASE_DIR/Programs
make_distribution "$dist"
destination="$(winpath "$target")"

# The suggestion is the Windows drive and the product name.
start_program pid "$dist/Install.exe" --cwd "$dist"
get dialog wait-dialog --pid "$pid" --caption "$INSTALL_CAPTION" --timeout 30000
expect_drive 'C:\Quorbelind' "the destination dialog suggests C:\\Quorbelind" text "$dialog:IDC_DESTINATION_DIRECTORY"
need set-text "$dialog:IDC_DESTINATION_DIRECTORY" "$destination" > /dev/null
need press "$dialog:IDOK" > /dev/null
get dialog wait-dialog --pid "$pid" --caption 'Generating Shortcut Icons ...' --timeout 90000
for box in IDC_SHORTCUT_DESKTOP IDC_SHORTCUT_STARTUP IDC_SHORTCUT_START_MENU; do
  expect_drive 0 "$box is unticked when the dialog opens" checked "$dialog:$box"
  need check "$dialog:$box" 1 > /dev/null
done
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$INSTALL_CAPTION" "$INSTALL_DONE" IDOK "the installation ends with its final message"
expect_exit_zero "$pid" "Install ends with exit code 0"

dir="$destination\\"
expect_reg_exists "$KEY_MARKER" "the installed marker exists"
expect_reg "$KEY_USER" DataPath "$dir" "DataPath names the program directory with its backslash"
expect_reg 'HKCR\.tvt' '' 'Quorbelind' ".tvt belongs to the file class"
expect_reg 'HKCR\Quorbelind' '' 'Quorbelind' "the file class names itself"
expect_reg 'HKCR\Quorbelind\DefaultIcon' '' "${dir}Quorbelind.exe,-114" "the document icon is icon 114 of the program"
expect_reg 'HKCR\Quorbelind\Shell' '' 'open' "open is the default verb"
expect_reg 'HKCR\Quorbelind\Shell\open' '' 'Open with Quorbelind' "the open verb's text"
expect_reg 'HKCR\Quorbelind\Shell\open\command' '' "${dir}Quorbelind.exe %1" "the open command, unquoted"
expect_reg "$KEY_UNINSTALL_ENTRY" DisplayName 'Quorbelind: Uninstall' "the uninstall entry's name"
expect_reg "$KEY_UNINSTALL_ENTRY" UninstallString "${dir}Uninstall.exe" "the uninstall entry's command"

expect_same_file "$dist/D01" "$target/Quorbelind.exe" "D01 is installed as Quorbelind.exe"
expect_same_file "$dist/Quorbelind.hlp" "$target/Quorbelind.hlp" "the help file is installed"
expect_same_file "$dist/D03" "$target/Uninstall.exe" "D03 is installed as Uninstall.exe"
expect_same_file "$dist/ReadMe.txt" "$target/ReadMe.txt" "ReadMe.txt is installed"
expect_same_file "$dist/D05" "$target/Creator.exe" "D05 is installed as Creator.exe"
expect_same_file "$dist/Install.exe" "$target/Install.exe" "Install.exe is installed"
k=1
for name in Astronomy.tvt "${SAMPLE_ATTACHMENTS[@]}"; do
  expect_same_file "$dist/$(printf 'T%07d' $k)" "$target/$name" "list line $k: $name"
  k=$((k + 1))
done
expect_eq 13 "$(find "$target" -type f | wc -l)" "nothing else is in the program directory"

links=$(shortcut_files)
expect_eq 3 "$(echo "$links" | grep -c .)" "three shortcut files were made"
expect_match '/Desktop/Quorbelind\.lnk' "$links" "a shortcut lies on the desktop"
expect_match '/Start Menu/Quorbelind\.lnk' "$links" "a shortcut lies directly in the start menu"
expect_match '/[Ss]tart[Uu]p/Quorbelind\.lnk' "$links" "a shortcut lies in the startup folder"
while IFS= read -r link; do
  [ -n "$link" ] || continue
  info=$(lnkinfo "$link" 2>&1)
  echo "$info" > "$CASE_DIR/lnkinfo-$(basename "$(dirname "$link")" | tr ' ' _).txt"
  where=$(basename "$(dirname "$link")")
  expect_eq 'Quorbelind V1.00' "$(echo "$info" | sed -n 's/^[[:space:]]*Description[[:space:]]*: //p')" \
    "the $where shortcut's description, as an independent reader sees it"
  expect_eq "${destination}\\Quorbelind.exe" "$(echo "$info" | sed -n 's/^[[:space:]]*Local path[[:space:]]*: //p')" \
    "the $where shortcut's target, as an independent reader sees it"
done <<< "$links"

# The installed test opens in the installed program through the association.
"$QB_WINE" start /unix "$target/Astronomy.tvt" > "$CASE_DIR/start.log" 2>&1 &
qb_launchers+=("$!")
get main wait-window --class Quorbelind --timeout 30000
title=$(drive text "$main" | tr -d '\r')
expect_eq "Quorbelind V1.00: ${destination}\\Astronomy.tvt" "$title" "the main program opened the installed test"
need close "$main" > /dev/null
drive wait-gone "$main" --timeout 20000 > /dev/null
