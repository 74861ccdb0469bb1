# Sourced by the test runners: one private X display and one private Wine
# prefix for the whole run, and stopping both again. Needs qb_root.
# shellcheck shell=bash

source "$qb_root/tools/wine-env.sh"

qb_session_pids=()

# The template prefix is made once per Wine version and copied for each run,
# so every run starts from the same clean state without paying for wineboot.
qb_prefix_template() {
  local template="$QB_BUILD_DIR/e2e/prefix-template-$WINEARCH"
  local version
  version=$("$QB_WINE" --version 2>/dev/null)
  if [ ! -f "$template/.qb-ready" ] || [ "$(cat "$template/.qb-ready")" != "$version" ]; then
    rm -rf "$template"
    mkdir -p "$template"
    WINEPREFIX="$template" "$QB_WINE" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$template" "$WINESERVER" -w
    echo "$version" > "$template/.qb-ready"
  fi
  echo "$template"
}

# Starts Xvfb on a display number it chooses itself and waits until it accepts clients.
qb_start_display() {
  local fifo="$qb_run_dir/display"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$qb_run_dir/xvfb.log" 2>&1 &
  qb_xvfb_pid=$!
  qb_session_pids+=("$qb_xvfb_pid")
  local number=""
  read -r -t 30 number <"$fifo"
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "Xvfb did not start (log: $qb_run_dir/xvfb.log)" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

# qb_session_start RUN-DIR: display, prefix copy and a persistent wineserver.
qb_session_start() {
  qb_run_dir=$1
  mkdir -p "$qb_run_dir"
  qb_start_display || return 1
  local template
  template=$(qb_prefix_template)
  export WINEPREFIX="$qb_run_dir/prefix"
  cp -a "$template" "$WINEPREFIX"
  # The shell's recycle bin of the programs under test stays inside the run.
  export XDG_DATA_HOME="$qb_run_dir/xdg-data"
  # Kept alive between the many short driver runs; stopped in qb_session_stop.
  "$WINESERVER" -p
  QB_DRIVER="$QB_WIN_BUILD/tests/e2e/qbdrive.exe"
  export QB_WINE QB_DRIVER QB_DIST QB_WIN_BUILD WINESERVER WINEARCH WINEDEBUG
}

qb_session_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w 2>/dev/null
  fi
  local pid
  for pid in "${qb_session_pids[@]}"; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  qb_session_pids=()
}
