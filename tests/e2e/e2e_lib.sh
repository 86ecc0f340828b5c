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
