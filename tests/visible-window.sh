# SPDX-License-Identifier: MIT
# Sourced by the checks that drive a window by its keys (needs xdotool).

# Prints the first visible window whose name holds $1, within $2 seconds. xdotool's own
# --sync search dies of an X error when a window it lists (a dialog closing, a helper window
# of Wine's) is gone before it asks about it, so each search here is short and tried again.
visible_window() {
    local found
    for _ in $(seq $(($2 * 5))); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.2
    done
    return 1
}
