# The whole road of one composite as a person takes it: a large and a small picture chosen in
# the open-file dialog by their full paths, "合并", "生成", the success message closed with
# Enter; the file written into the pictures' folder holds the composite pixel for pixel. The
# message box, moved over the canvas and closed, leaves the canvas as it was (the window keeps
# its contents), so a second "生成" writes the same composite. Esc then ends the program with
# exit status 0.
pictures="$E2E_WORK/pictures"
convert -seed 11 -size 100x100 plasma:fractal -depth 8 BMP3:"$pictures/large.bmp" || fail "no large picture"
convert -seed 12 -size 30x45 plasma:fractal -colors 64 "$pictures/small.gif" || fail "no small picture"
convert "$pictures/large.bmp" "$pictures/small.gif" -geometry +68+55 -composite -depth 8 \
  "$pictures/expected.ppm" || fail "no expected composite"

start_program

# The large box at 40, 24 and the small one at 240, 48 in the window, 100 × 100 and 30 × 45.
double_click_at 90 74
choose_in_file_dialog "$pictures/large.bmp"
double_click_at 255 70
choose_in_file_dialog "$pictures/small.gif"
screenshot chosen

click_at 92 188  # 合并
sleep 0.5
screenshot merged
click_at 432 188  # 生成
message=$(wait_for_other_window)
[ "$(xdotool getwindowname "$message")" = "信息：" ] || fail "the message box is captioned $(xdotool getwindowname "$message")"
read -r x y width height < <(window_geometry)
xdotool windowmove --sync "$message" $((x + 380)) $((y + 30)) 2>/dev/null || xdotool windowmove "$message" $((x + 380)) $((y + 30))
sleep 0.3
screenshot message-over-canvas
press_key Return
wait_for_window_gone "$message"

# The picture went into the folder of the picture chosen last, named after a number.
mapfile -t exported < <(cd "$pictures" && ls | grep -E '^(0|[1-9][0-9]{0,5})\.jpg$')
[ "${#exported[@]}" -eq 1 ] || fail "expected one exported file in $pictures, found: $(ls "$pictures")"
file="$pictures/${exported[0]}"
[ "$(stat -c %s "$file")" -eq 30054 ] || fail "$file has $(stat -c %s "$file") bytes, not 30054"
[ "$(head -c 2 "$file")" = "BM" ] || fail "$file does not begin with BM"
difference=$(differing_pixels "bmp:$file" "$pictures/expected.ppm")
[ "$difference" = "0" ] || fail "the exported picture differs from the composite in $difference pixels"

# The canvas still shows the composite on screen after the message box went away.
screenshot after-message
read -r x y width height < <(window_geometry)
convert "$E2E_WORK/shots/after-message.png" -crop 100x100+$((x + 376))+$((y + 24)) +repage -depth 8 \
  "$E2E_WORK/shots/canvas.ppm"
difference=$(differing_pixels "$E2E_WORK/shots/canvas.ppm" "$pictures/expected.ppm")
[ "$difference" = "0" ] || fail "the canvas on screen differs from the composite in $difference pixels"

# A second export without a new merge: the uncovered canvas still holds the composite.
click_at 432 188  # 生成
message=$(wait_for_other_window)
press_key Return
wait_for_window_gone "$message"
mapfile -t exported < <(cd "$pictures" && ls | grep -E '^(0|[1-9][0-9]{0,5})\.jpg$')
[ "${#exported[@]}" -eq 2 ] || fail "expected two exported files in $pictures, found: $(ls "$pictures")"
for name in "${exported[@]}"; do
  difference=$(differing_pixels "bmp:$pictures/$name" "$pictures/expected.ppm")
  [ "$difference" = "0" ] || fail "$name differs from the composite in $difference pixels"
done

xdotool windowfocus --sync "$window_id" 2>/dev/null || true
press_key Escape
expect_exit_status 0
