#!/usr/bin/env bash
# smoke_test.sh ORTHEX ORTHEX_CLI
#
# Starts the real program on a private X server (xvfb-run) with a fresh HOME, where the user
# "Pupil" is in the user information file and logged in automatically ("Auto" in the settings);
# waits for the main window, takes a screenshot of it, checks that no message box or log-in
# dialog came up, then quits through File > Exit with the keyboard, as a user would, and expects
# exit status 0 without a sanitizer report.
#
# The screenshot goes to ORTHEX_SCREENSHOT_DIR when set (smoke-start.png), else to the
# temporary folder. Exit status 77 (skipped) only when xvfb-run is not installed.
set -uo pipefail
readonly kSkip=77
readonly kTimeout=60
readonly kUser=Pupil

# Runs on the X server (the script calls itself through xvfb-run): start, find the window,
# screenshot, quit; returns the program's exit status.
session() {
  local program=$1 shots=$2 log=$3
  "$program" >"$log" 2>&1 &
  local pid=$!
  local window
  window=$(timeout "$kTimeout" xdotool search --sync --onlyvisible --name ' - Orthex$' 2>/dev/null | head -n 1)
  if [[ -z "$window" ]]; then
    echo "FAIL: no main window within $kTimeout s"
    kill -0 "$pid" 2>/dev/null && kill -TERM "$pid"
    wait "$pid"
    return 1
  fi
  echo "main window $window: $(xdotool getwindowname "$window")"
  sleep 1  # let the first paint finish
  # A message box (title "Orthex") or the log-in dialog would mean the automatic log-in failed.
  local others
  others=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$window" |
    while read -r w; do xdotool getwindowname "$w" 2>/dev/null; done | grep -v '^$')
  if [[ -n "$others" ]]; then
    echo "FAIL: other windows came up at start: $others"
    import -window root "$shots/smoke-start-failed.png" 2>/dev/null
    kill -TERM "$pid"
    wait "$pid"
    return 1
  fi
  if ! import -window "$window" "$shots/smoke-start.png"; then
    echo "FAIL: the screenshot could not be taken"
    kill -TERM "$pid"
    wait "$pid"
    return 1
  fi
  # Quit as a user does: File > Exit with the keyboard.
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --clearmodifiers alt+f
  sleep 0.5
  xdotool key --clearmodifiers x
  local waited=0
  while kill -0 "$pid" 2>/dev/null && ((waited < kTimeout * 10)); do
    sleep 0.1
    waited=$((waited + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the program did not quit within $kTimeout s of File > Exit"
    kill -TERM "$pid"
    wait "$pid"
    return 1
  fi
  wait "$pid"
  local status=$?
  echo "exit status $status"
  return $status
}

if [[ ${1:-} == --session ]]; then
  shift
  session "$@"
  exit $?
fi

if [[ $# -ne 2 ]]; then
  echo "usage: smoke_test.sh ORTHEX ORTHEX_CLI" >&2
  exit 2
fi
program=$1
cli=$2

if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIP: xvfb-run is not installed (package xvfb), so the program cannot be shown"
  exit $kSkip
fi
for tool in xdotool import identify; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "FAIL: $tool is not installed (scripts/install-deps installs it)"
    exit 1
  fi
done

root=$(mktemp -d "${TMPDIR:-/tmp}/orthex-smoke.XXXXXX") || exit 1
trap 'rm -rf "$root"' EXIT
export HOME="$root/home"
export XDG_CONFIG_HOME="$root/config"
export XDG_DATA_HOME="$root/data"
export XDG_CACHE_HOME="$root/cache"
export XDG_RUNTIME_DIR="$root/runtime"
export ORTHEX_SHARED_DOCUMENTS="$root/shared"
# The per-user desktop registration is part of what runs; no system-wide entry hides it.
export XDG_DATA_DIRS="$root/system-data"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Vellomar" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" \
  "$ORTHEX_SHARED_DOCUMENTS/Orthex" "$XDG_DATA_DIRS"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY
shots=${ORTHEX_SCREENSHOT_DIR:-$root/shots}
mkdir -p "$shots"
user_folder="$ORTHEX_SHARED_DOCUMENTS/Orthex"

fail() {
  echo "FAIL: $*"
  exit 1
}

# The user information file with one user and a blank password: the count, the class "CUser",
# then the name and the password " ", each unit scrambled (low byte + 0x2B; from 0x80 the high
# byte is FF).
scrambled_text() {
  local text=$1 i code byte
  printf '\\xff\\xfe\\xff\\x%02x' "${#text}"
  for ((i = 0; i < ${#text}; i++)); do
    printf -v code '%d' "'${text:i:1}"
    byte=$(((code + 0x2B) & 0xFF))
    if ((byte < 0x80)); then printf '\\x%02x\\x00' "$byte"; else printf '\\x%02x\\xff' "$byte"; fi
  done
}
printf '%b' "\\x01\\x00\\xff\\xff\\x00\\x00\\x05\\x00CUser$(scrambled_text "$kUser")$(scrambled_text " ")" \
  >"$user_folder/Orthex.lgn"
listed=$("$cli" users --folder "$user_folder") || fail "orthex-cli users could not read the user file"
[[ "$listed" == "$kUser" ]] || fail "orthex-cli users lists '$listed' instead of '$kUser'"
printf '[Settings]\nAuto=%s\n' "$kUser" >"$XDG_CONFIG_HOME/Vellomar/Orthex.conf"


log="$root/orthex.log"
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
  "$(realpath "$0")" --session "$program" "$shots" "$log"
status=$?
if [[ -s "$log" ]]; then
  echo "--- program output"
  cat "$log"
  echo "---"
fi
[[ $status -eq 0 ]] || fail "the session ended with status $status"
if grep -Eq 'AddressSanitizer|LeakSanitizer|runtime error:|Segmentation fault|QXcbConnection: XCB error' "$log"; then
  fail "the program reported a fault"
fi

# The picture shows something: a real window is more than one colour.
[[ -s "$shots/smoke-start.png" ]] || fail "no screenshot"
size=$(identify -format '%w %h' "$shots/smoke-start.png") || fail "the screenshot is not an image"
colours=$(identify -format '%k' "$shots/smoke-start.png")
echo "screenshot $shots/smoke-start.png: $size, $colours colours"
((colours > 8)) || fail "the screenshot holds only $colours colours"

# With no system-wide entry, the start registered the document type for this user.
for file in applications/org.vellomar.Orthex.desktop mime/packages/orthex.xml; do
  [[ -s "$XDG_DATA_HOME/$file" ]] || fail "the start did not register $file for the user"
done
# The automatic log-in came from the settings and left them as they were.
grep -qx "Auto=$kUser" "$XDG_CONFIG_HOME/Vellomar/Orthex.conf" || fail "the Auto setting changed"
echo "PASS"
