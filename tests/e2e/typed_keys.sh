# The typed keys' checks that the X11 and the Weston end-to-end scripts share, sourced after
# common.sh: keys typed with xdotool into the calculator, which has the keyboard, the display
# read back as Ctrl+C copies it ("12.5*4=" shows what the driver shows after clicking
# 1 2 . 5 X 4 = in the point's locale). The sourcing script defines read_clipboard,
# write_clipboard TEXT and click CAPTION (a click on the key, the pointer parked after it).

expect_display() {
    local shown
    xdotool key ctrl+c
    sleep 0.3
    shown=$(read_clipboard) || true
    [[ $shown == "$1" ]] || fail "after $2 the display shows \"$shown\", not \"$1\""
}

typed_checks() {
    xdotool key Escape
    xdotool type --delay 60 '12.5*4='
    expect_display "$(printf 'wait 5000\nclick 1\nclick 2\nclick .\nclick 5\nclick X\nclick 4\nclick =\nprint display\n' |
        "$driver" | tr -d '[]')" "12.5*4="
    xdotool key Escape KP_7 KP_Add KP_3 KP_Enter
    expect_display 10 "7 + 3 = on the keypad"
    xdotool key Escape
    xdotool type --delay 60 987
    xdotool key BackSpace
    expect_display 98 BackSpace
    xdotool key Delete
    xdotool type --delay 60 6
    expect_display 6 "Delete, 6"
    xdotool key Escape
    click 4  # the key takes the focus: Return still means "="
    xdotool type --delay 60 +2
    xdotool key Return
    expect_display 6 "4 + 2 Return"
    xdotool key Escape
    click 4
    click 2
    expect_display 42 "clicks on 4 and 2"
    write_clipboard 42.5
    xdotool key Escape ctrl+v
    expect_display 42.5 "a paste of 42.5"
    write_clipboard 4e2
    xdotool key ctrl+v
    expect_display 42.5 "a paste of 4e2"
}
