# Steps the end-to-end scenarios share. Each fails the scenario with a message.

fail() {
  echo "FAILED: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    import -window root "$E2E_WORK/shots/at-failure.png" 2>/dev/null || true
    echo "screenshot: $E2E_WORK/shots/at-failure.png" >&2
  fi
  exit 1
}

# Starts the program and waits for its window; sets program_pid and window_id.
start_program() {
  "$E2E_PROGRAM" >"$E2E_WORK/program.log" 2>&1 &
  program_pid=$!
  window_id=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tessvane$' | head -n1) ||
    fail "the window never appeared"
  sleep 0.5
}

# The window's outer place and size as "X Y WIDTH HEIGHT".
window_geometry() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$window_id")"
  echo "$X $Y $WIDTH $HEIGHT"
}

screenshot() {
  import -window root "$E2E_WORK/shots/$1.png" || fail "no screenshot"
}

# The colour of one screen pixel as "R,G,B".
screen_pixel() {
  convert "$E2E_WORK/shots/$1.png" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Double-clicks at a point of the window's client area.
double_click_at() {
  local X Y WIDTH HEIGHT
  read -r X Y WIDTH HEIGHT < <(window_geometry)
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click --repeat 2 --delay 80 1
}

click_at() {
  local X Y WIDTH HEIGHT
  read -r X Y WIDTH HEIGHT < <(window_geometry)
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}

press_key() {
  xdotool key --clearmodifiers "$@"
}

# Waits for a window whose title matches; prints its id.
wait_for_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n1 || fail "no window named $1"
}

# Waits for the program to end and checks its exit status.
expect_exit_status() {
  local status=0
  for _ in $(seq 100); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && fail "the program is still running"
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}

# Waits for a window of the program other than the main window; prints its id.
wait_for_other_window() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
      if [ "$id" != "$window_id" ] && [ -n "$(xdotool getwindowname "$id" 2>/dev/null)" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  fail "no window of the program besides the main window appeared"
}

# Waits until the window is no longer shown.
wait_for_window_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "window $1 is still shown"
}

# In the open-file dialog that is up, types a full path into the file name field and presses
# Enter, as a person would; waits for the dialog to close.
choose_in_file_dialog() {
  local dialog
  dialog=$(wait_for_other_window)
  sleep 0.5
  xdotool type --delay 20 "$1"
  press_key Return
  wait_for_window_gone "$dialog"
  sleep 0.3
}

# How many pixels two pictures differ in (any format ImageMagick reads, prefixes included).
differing_pixels() {
  compare -metric AE "$1" "$2" null: 2>&1 || true
}
