# The window appears centred on a 1024 × 768 screen at its fixed size, shows its texts, and
# Esc ends the program with exit status 0.
start_program
read -r x y width height < <(window_geometry)
[ "$x $y" = "256 187" ] || fail "window at $x,$y, expected 256,187"
[ "$width $height" = "512 393" ] || fail "window of $width × $height, expected 512 × 393"

screenshot main-window
# White client area, face-coloured canvas, violet instructions text somewhere in the label.
[ "$(screen_pixel main-window $((x + 4)) $((y + 4)))" = "255,255,255" ] || fail "client area is not white"
canvas=$(screen_pixel main-window $((x + 420)) $((y + 70)))
[ "$canvas" != "255,255,255" ] || fail "the canvas is white, not the face colour"
violet=$(convert "$E2E_WORK/shots/main-window.png" -crop 496x136+$((x + 8))+$((y + 216)) \
  -fill black -fuzz 12% +opaque 'rgb(144,0,255)' -format '%[fx:int(mean*w*h*3)]' info:)
[ "$violet" -gt 100 ] || fail "no violet instructions text ($violet)"

xdotool windowfocus --sync "$window_id"
press_key Escape
expect_exit_status 0
