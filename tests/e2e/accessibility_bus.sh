# Shared by the accessibility scripts, sourced in their D-Bus session: the accessibility bus's
# launcher (at-spi2-core's org.a11y.Bus) asked through dbus-send.

# Turns org.a11y.Status IsEnabled on (true) or off (false).
set_accessibility() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        variant:boolean:"$1" >/dev/null
}

# The address of the accessibility bus, as the launcher gives it.
accessibility_address() {
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress | tr -d ' '
}

# The process ids of the peers of the bus at address $1, one a line.
peer_pids() {
    local address=$1 name
    for name in $(dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.ListNames | tr -s ' ' '\n' | grep '^:'); do
        dbus-send --bus="$address" --print-reply=literal --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
            string:"$name" 2>/dev/null | awk '{print $2}'
    done
}
