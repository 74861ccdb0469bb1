# Sourced by every end-to-end case (tests/e2e/cases/*.sh). The runner exports
# the session: DISPLAY, WINEPREFIX, QB_WINE, QB_DRIVER, QB_DIST and
#   QB_E2E_CASE_DIR     scratch directory of this case (logs, files it makes)
#   QB_E2E_PROGRAM_DIR  this case's own copy of the program directory
# See tests/e2e/README.md for the helpers.
# shellcheck shell=bash
set -uo pipefail

qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
: "${QB_E2E_CASE_DIR:?run the cases through tests/e2e/run.sh}"
PROGRAM_DIR=$QB_E2E_PROGRAM_DIR
CASE_DIR=$QB_E2E_CASE_DIR
# shellcheck disable=SC1091
source "$QB_E2E_RUN_DIR/ids.sh"

# Registry keys of the suite.
KEY_USER='HKCU\Software\Tolvexia\Quorbelind'
KEY_USER_DEFAULT='HKU\.Default\Software\Tolvexia\Quorbelind'
KEY_MARKER='HKLM\Software\Tolvexia\Quorbelind\V1.00'

qb_failures=0
qb_checks=0
qb_launchers=()  # Linux pids of the driver processes that started programs
qb_programs=()   # Windows pids of the programs started
qb_started=0

# Where a failed check stands in the case file.
qb_where() {
  local i=1
  while [ "${BASH_SOURCE[$i]:-}" = "${BASH_SOURCE[0]}" ]; do i=$((i + 1)); done
  echo "$(basename "${BASH_SOURCE[$i]:-?}"):${BASH_LINENO[$((i - 1))]:-?}"
}

fail() {
  qb_failures=$((qb_failures + 1))
  echo "FAIL ($(qb_where)): $*"
}

# Stops the case at once: for failures after which nothing else can be checked.
die() {
  qb_failures=$((qb_failures + 1))
  echo "FAIL ($(qb_where)): $*"
  exit 1
}

pass() {
  echo "ok $*"
}

# drive COMMAND ARGS...: runs a driver command; its output on stdout, its
# messages on stderr, its exit status returned. The commands go to one driver
# process per case ("qbdrive serve"), which saves starting Wine for each.
# QB_E2E_SERVE=0 runs a driver process per command instead.
drive() {
  if [ -z "${QB_SERVE_PID:-}" ]; then
    "$QB_WINE" "$QB_DRIVER" "$@"
    return
  fi
  local IFS=$'\x1f' words=() word line code="" out=""
  for word in "$@"; do words+=("${word//$'\n'/$'\x1e'}"); done
  printf '%s\n' "${words[*]}" >&"$QB_SERVE_IN"
  while IFS= read -r line <&"$QB_SERVE_OUT"; do
    if [[ $line == *$'\x1d'* ]]; then
      code=${line##*$'\x1d'}
      out+=${line%%$'\x1d'*}
      break
    fi
    if [[ $line == $'\x1c'* ]]; then
      printf '%s\n' "${line#?}" >&2
    else
      out+="$line"$'\n'
    fi
  done
  if [ -z "$code" ]; then
    echo "qbdrive serve stopped answering" >&2
    return 1
  fi
  while [[ $out == *$'\n' ]]; do out=${out%$'\n'}; done
  [ -n "$out" ] && printf '%s\n' "$out"
  return "$code"
}

# Plain descriptors on named pipes rather than a coprocess: pipelines and
# other subshells of the case inherit them.
qb_serve_start() {
  local in="$CASE_DIR/.drive-in" out="$CASE_DIR/.drive-out"
  rm -f "$in" "$out"
  mkfifo "$in" "$out"
  # Opened after the start, so that the driver holds no writer of its own input.
  "$QB_WINE" "$QB_DRIVER" serve <"$in" >"$out" 2>>"$CASE_DIR/driver.log" &
  QB_SERVE_PID=$!
  exec {QB_SERVE_IN}>"$in"
  exec {QB_SERVE_OUT}<"$out"
}

qb_serve_stop() {
  [ -n "${QB_SERVE_PID:-}" ] || return 0
  local serve=$QB_SERVE_PID
  QB_SERVE_PID=""
  exec {QB_SERVE_IN}>&- {QB_SERVE_OUT}<&-
  # It ends at the end of its input; a process that inherited the pipe may
  # keep that from coming, so it gets a time limit.
  local deadline=$((SECONDS + 5))
  while kill -0 "$serve" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
  kill "$serve" 2>/dev/null
  wait "$serve" 2>/dev/null
}

if [ "${QB_E2E_SERVE:-1}" != 0 ]; then
  qb_serve_start
else
  exec {QB_SERVE_IN}>/dev/null {QB_SERVE_OUT}</dev/null
fi

# need COMMAND ARGS...: the driver must succeed, or the case ends.
# For output use `x=$(drive ...) || die "..."`, or get.
need() {
  local out
  if ! out=$(drive "$@" 2>&1); then
    die "qbdrive $* failed: $out"
  fi
  [ -n "$out" ] && echo "$out"
  return 0
}

# get VAR COMMAND ARGS...: the driver's output into VAR; the case ends if it fails.
get() {
  local __var=$1 __out __err
  shift
  __err="$CASE_DIR/.driver-stderr"
  if ! __out=$(drive "$@" 2>"$__err"); then
    die "qbdrive $* failed: $(cat "$__err")"
  fi
  printf -v "$__var" '%s' "$__out"
}

expect_eq() { # EXPECTED ACTUAL WHAT
  qb_checks=$((qb_checks + 1))
  if [ "$1" == "$2" ]; then
    pass "$3"
  else
    qb_failures=$((qb_failures + 1))
    echo "FAIL ($(qb_where)): $3: expected '$1', saw '$2'"
  fi
}

expect_ne() { # UNEXPECTED ACTUAL WHAT
  qb_checks=$((qb_checks + 1))
  if [ "$1" != "$2" ]; then
    pass "$3"
  else
    qb_failures=$((qb_failures + 1))
    echo "FAIL ($(qb_where)): $3: expected anything but '$1', saw it"
  fi
}

expect_match() { # REGEX ACTUAL WHAT
  qb_checks=$((qb_checks + 1))
  if [[ $2 =~ $1 ]]; then
    pass "$3"
  else
    qb_failures=$((qb_failures + 1))
    echo "FAIL ($(qb_where)): $3: expected a match of /$1/, saw '$2'"
  fi
}

# expect_drive EXPECTED WHAT COMMAND ARGS...: the driver's output must equal EXPECTED.
expect_drive() {
  local expected=$1 what=$2 out
  shift 2
  out=$(drive "$@" 2>&1)
  expect_eq "$expected" "$out" "$what"
}

# eventually EXPECTED WHAT COMMAND ARGS...: polls the driver command until its
# output equals EXPECTED, within QB_E2E_WAIT seconds (default 10).
eventually() {
  local expected=$1 what=$2 out deadline
  shift 2
  deadline=$((SECONDS + ${QB_E2E_WAIT:-10}))
  while :; do
    out=$(drive "$@" 2>&1)
    [ "$out" == "$expected" ] && break
    [ $SECONDS -ge $deadline ] && break
  done
  expect_eq "$expected" "$out" "$what"
}

expect_file() { # PATH WHAT
  qb_checks=$((qb_checks + 1))
  if [ -e "$1" ]; then pass "$2"; else fail "$2: expected file $1, it does not exist"; fi
}

expect_no_file() { # PATH WHAT
  qb_checks=$((qb_checks + 1))
  if [ ! -e "$1" ]; then pass "$2"; else fail "$2: expected no file $1, it exists"; fi
}

# Byte-for-byte comparison of two files, showing the first difference.
expect_same_file() { # EXPECTED-PATH ACTUAL-PATH WHAT
  qb_checks=$((qb_checks + 1))
  local diff
  if diff=$(cmp "$1" "$2" 2>&1); then pass "$3"; else fail "$3: $diff"; fi
}

# Registry: the value's data, or status 1 when it is missing.
reg_get() { # KEY VALUE
  drive reg-get "$1" "$2" 2>/dev/null
}

expect_reg() { # KEY VALUE EXPECTED WHAT
  local out
  out=$(drive reg-get "$1" "$2" 2>&1)
  expect_eq "$3" "$out" "$4"
}

expect_reg_missing() { # KEY [VALUE] WHAT
  local what=${*: -1} out
  out=$(drive reg-exists "${@:1:$#-1}")
  expect_eq 0 "$out" "$what"
}

expect_reg_exists() { # KEY [VALUE] WHAT
  local what=${*: -1} out
  out=$(drive reg-exists "${@:1:$#-1}")
  expect_eq 1 "$out" "$what"
}

# Windows path of a Linux path (Wine's drive Z: is the Linux root).
winpath() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# start_program VAR PROGRAM [--cwd DIR] [--args TAIL]: starts PROGRAM (a Linux
# path) with TAIL as its command line after the quoted program name; VAR gets
# its Windows process id. The current directory defaults to the program's own.
start_program() {
  local __var=$1 program=$2 cwd="" tail="" n
  shift 2
  while [ $# -gt 0 ]; do
    case $1 in
      --cwd) cwd=$2; shift 2 ;;
      --args) tail=$2; shift 2 ;;
      *) die "start_program: unknown option $1" ;;
    esac
  done
  [ -n "$cwd" ] || cwd=$(dirname "$program")
  qb_started=$((qb_started + 1))
  n=$qb_started
  rm -f "$CASE_DIR/program-$n.pid" "$CASE_DIR/program-$n.exit"
  "$QB_WINE" "$QB_DRIVER" launch --cwd "$(winpath "$cwd")" --pid-file "$(winpath "$CASE_DIR/program-$n.pid")" \
    --exit-file "$(winpath "$CASE_DIR/program-$n.exit")" "$(winpath "$program")" "$tail" \
    > "$CASE_DIR/program-$n.log" 2>&1 {QB_SERVE_IN}>&- {QB_SERVE_OUT}<&- &
  qb_launchers+=("$!")
  local deadline=$((SECONDS + 30))
  until [ -s "$CASE_DIR/program-$n.pid" ]; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$!" 2>/dev/null; then
      [ -s "$CASE_DIR/program-$n.pid" ] && break
      die "could not start $program: $(cat "$CASE_DIR/program-$n.log")"
    fi
    sleep 0.05
  done
  local __pid
  __pid=$(tr -d '\r\n' < "$CASE_DIR/program-$n.pid")
  qb_programs+=("$__pid")
  echo "$n" > "$CASE_DIR/pid-$__pid.launch"
  printf -v "$__var" '%s' "$__pid"
}

# wait_exit PID [SECONDS]: prints the exit code of a program started with
# start_program once it has ended; status 1 (and nothing printed) on time-out.
wait_exit() {
  local pid=$1 limit=${2:-20} n deadline
  n=$(cat "$CASE_DIR/pid-$pid.launch" 2>/dev/null) || { echo "wait_exit: $pid was not started here" >&2; return 1; }
  deadline=$((SECONDS + limit))
  until [ -s "$CASE_DIR/program-$n.exit" ]; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.05
  done
  tr -d '\r\n' < "$CASE_DIR/program-$n.exit"
}

screenshot() { # FILE
  import -display "$DISPLAY" -window root "$1" 2>/dev/null
}

# Ends what the case started (by pid) and reports; the case's exit status is
# the number of failed checks (at most 1 means any).
qb_finish() {
  local status=$? pid
  if [ $status -ne 0 ] && [ $qb_failures -eq 0 ]; then
    echo "FAIL: the case ended with status $status"
    qb_failures=1
  fi
  [ $qb_failures -ne 0 ] && screenshot "$CASE_DIR/failure.png"
  for pid in "${qb_programs[@]}"; do drive kill "$pid" >/dev/null 2>&1; done
  for pid in "${qb_launchers[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  qb_serve_stop
  echo "$qb_checks checks, $qb_failures failed"
  [ $qb_failures -eq 0 ] && exit 0
  exit 1
}
trap qb_finish EXIT
