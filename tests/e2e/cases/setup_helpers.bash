# Helpers of the Install and Uninstall cases; sourced after tests/e2e/lib.sh.
# shellcheck shell=bash

# Texts of Install's and Uninstall's message boxes, as the programs show them.
INSTALL_CAPTION='Setup for Quorbelind V1.00'
INSTALL_ERROR_CAPTION='An Error occured:'
INSTALL_DONE='If no contrary message was displayed during installation, Quorbelind is now installed completely !'
INSTALL_ADVICE_CAPTION="If the program does't works correctly ..."
INSTALL_ADVICE='... you should run UNINSTALL.EXE in the destination directory and then run INSTALL.EXE again.
(or refer ReadMe.TXT on the floppy for an adress to contact the author)'
UNINSTALL_CAPTION='Quorbelind V1.00 - Uninstallation'
UNINSTALL_ERROR_CAPTION='An error occured:'
UNINSTALL_NOT_REMOVED='Quorbelind V1.00 has NOT been removed from your system !
You later may run UNINSTALL.EXE again, to remove it correctly ...'
UNINSTALL_NOT_FOUND='The programs main directory could not be located !
UNINSTALL.EXE is not able to remove Quorbelind V1.00 from your system ...'
UNINSTALL_DONE='Quorbelind V1.00 was completely removed from your system ...'
KEY_UNINSTALL_ENTRY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbelind: Uninstall'

# The prefix links the desktop to the Linux home and the shell's recycle bin
# lies there too: both are moved into this case's directory, so shortcuts and
# deleted shortcuts never reach the home of the machine.
export XDG_DATA_HOME="$CASE_DIR/xdg-data"
for desktop in "$WINEPREFIX"/drive_c/users/*/Desktop; do
  if [ -L "$desktop" ]; then
    rm "$desktop"
    mkdir "$desktop"
  fi
done

# The attached files of the sample test, in the order the list file names them.
SAMPLE_ATTACHMENTS=(solar_system.rtf planets.bmp moon.bmp moon_phases.txt saturn.bmp stars.bmp)

# make_distribution DIR [EXTRA-LIST-LINE...]: a distribution directory in the
# layout Creator writes: the program files under their distribution names,
# TEST.LST naming the sample test and its attachments, and T0000001... holding
# them. Extra lines are appended to the list with the file "extra k" behind them.
make_distribution() {
  local dir=$1 k=1 name line
  shift
  mkdir -p "$dir"
  cp "$PROGRAM_DIR/Quorbelind.exe" "$dir/D01"
  cp "$PROGRAM_DIR/Uninstall.exe" "$dir/D03"
  cp "$PROGRAM_DIR/Creator.exe" "$dir/D05"
  cp "$PROGRAM_DIR/Quorbelind.hlp" "$PROGRAM_DIR/ReadMe.txt" "$PROGRAM_DIR/Install.exe" "$dir/"
  : > "$dir/TEST.LST"
  for name in Astronomy.tvt "${SAMPLE_ATTACHMENTS[@]}"; do
    printf '%s\r\n' "$name" >> "$dir/TEST.LST"
    cp "$PROGRAM_DIR/$name" "$dir/$(printf 'T%07d' $k)"
    k=$((k + 1))
  done
  for line in "$@"; do
    printf '%s\r\n' "$line" >> "$dir/TEST.LST"
    printf 'extra %d\r\n' $k > "$dir/$(printf 'T%07d' $k)"
    k=$((k + 1))
  done
}

# answer_box PID CAPTION TEXT BUTTON WHAT: the next message box of PID must
# show CAPTION and TEXT; BUTTON is pressed on it.
answer_box() {
  local pid=$1 caption=$2 text=$3 button=$4 what=$5 box seen
  get box wait-dialog --pid "$pid" --caption "$caption" --timeout 60000
  seen=$(drive text "$box:MSGBOX_TEXT" 2>&1 | tr -d '\r')
  expect_eq "$text" "$seen" "$what"
  need press "$box:$button" > /dev/null
  drive wait-gone "$box" --timeout 20000 > /dev/null
}

# expect_exit_zero PID WHAT
expect_exit_zero() {
  local code
  code=$(wait_exit "$1" 60) || code="(still running)"
  expect_eq 0 "$code" "$2"
}

# run_full_install DIST DESTINATION-WINDOWS-PATH SHORTCUT-BOXES...: a full
# installation from DIST into the destination, ticking the given boxes of the
# shortcut dialog.
run_full_install() {
  local dist=$1 destination=$2 pid dialog box
  shift 2
  start_program pid "$dist/Install.exe" --cwd "$dist"
  get dialog wait-dialog --pid "$pid" --caption "$INSTALL_CAPTION" --timeout 30000
  need set-text "$dialog:IDC_DESTINATION_DIRECTORY" "$destination" > /dev/null
  need press "$dialog:IDOK" > /dev/null
  get dialog wait-dialog --pid "$pid" --caption 'Generating Shortcut Icons ...' --timeout 90000
  for box in "$@"; do need check "$dialog:$box" 1 > /dev/null; done
  need press "$dialog:IDOK" > /dev/null
  answer_box "$pid" "$INSTALL_CAPTION" "$INSTALL_DONE" IDOK "the full installation ends with its final message"
  expect_exit_zero "$pid" "Install ends with exit code 0"
}

# The shortcut files of the prefix's current user.
shortcut_files() {
  find "$WINEPREFIX/drive_c/users" -name 'Quorbelind.lnk' 2>/dev/null | sort
}

# wait_until_gone PATH SECONDS: polls until PATH no longer exists.
wait_until_gone() {
  local path=$1 deadline=$((SECONDS + $2))
  while [ -e "$path" ] && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
  [ ! -e "$path" ]
}

# The clean-up batch files in the prefix's temporary directories.
cleanup_batches() {
  find "$WINEPREFIX/drive_c" -maxdepth 6 -iname 'TmpDelQB.BAT' 2>/dev/null
}

# User files of every kind the removal knows, next to the installed ones.
add_user_files() {
  local dir=$1
  printf 'backup\r\n' > "$dir/Astronomy.BAK"
  printf 'journal\r\n' > "$dir/CHANGINGS.TMP"
  printf 'second test\r\n' > "$dir/Biology.TVT"
  printf 'notes\r\n' > "$dir/notes.txt"
  printf '{\\rtf1 x}\r\n' > "$dir/answer.RTF"
  convert -size 4x4 xc:green "BMP3:$dir/green.bmp"
}

# Every entry Install made outside the program directory is gone.
expect_system_entries_removed() {
  expect_reg_missing "$KEY_MARKER" "the installed marker is removed"
  expect_reg_missing 'HKLM\Software\Tolvexia\Quorbelind' "the machine key of the product is removed"
  expect_reg_exists 'HKLM\Software\Tolvexia' "the machine vendor key stays"
  expect_reg_missing "$KEY_USER" "the per-user key is removed"
  expect_reg_missing 'HKCR\.tvt' "the association of .tvt is removed"
  expect_reg_missing 'HKCR\Quorbelind' "the file class is removed"
  expect_reg_missing "$KEY_UNINSTALL_ENTRY" "the uninstall entry is removed"
  expect_eq "" "$(shortcut_files)" "every shortcut is removed"
}
