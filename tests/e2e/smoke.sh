#!/usr/bin/env bash
# The real wendrill.exe under Wine, typed at with xdotool as a person would.
#   tests/e2e/smoke.sh WENDRILL_EXE WINE_PREFIX
set -uo pipefail

exe=$1
prefix=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
runner="$here/../../scripts/wine-run"
work=$(mktemp -d)
failures=0
passes=0

# One display for the program and for xdotool; no window manager on it.
for n in $(seq 150 199); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n" WENDRILL_NO_WM=1
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

finish() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
    kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT

# wait_for NAME-PATTERN: the id of a visible window whose title matches, within 30 s.
wait_for() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# wait_gone PID: true once the process has ended, within 15 s.
wait_gone() {
    for _ in $(seq 150); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
    return 1
}

check() {
    if [ "$1" = ok ]; then passes=$((passes + 1)); echo "e2e: $2: ok"; else
        failures=$((failures + 1)); echo "e2e: $2: FAILED"; fi
}

# ends_after WINDOW KEYS WHAT: presses the keys in the window; the program is to end.
ends_after() {
    xdotool windowfocus --sync "$1" 2>/dev/null
    xdotool key --delay 100 $2
    wait_gone "$program" && r=ok || r=no
    check "$r" "$3"
}

start() {
    "$runner" --prefix "$prefix" --timeout 120 "$exe" "$@" >/dev/null 2>&1 &
    program=$!
}

# Copies of unsaved text left by a run that was cut short would be offered at every start.
rm -rf "$prefix/drive_c/users/$(id -un)/AppData/Local/Wendrill/recovery"

# A chapter with blank lines, named on the command line.
printf '\xb5\xda\xd2\xbb\xd5\xc2\r\n\r\n\xd5\xfd\xce\xc4\r\n' > "$work/chapter.txt"
chapter="Z:$(echo "$work/chapter.txt" | tr / '\\')"

start "$chapter"
if window=$(wait_for "^Wendrill"); then
    check ok "the window shows the file's path in its caption"
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key --delay 100 ctrl+r Escape
    if question=$(wait_for "提示："); then
        check ok "Ctrl+R then Esc asks whether to save"
        ends_after "$question" n "answering No closes the program"
    else
        check no "Ctrl+R then Esc asks whether to save"
    fi
else
    check no "the window shows the file's path in its caption"
fi
WINEPREFIX=$prefix wineserver -k 2>/dev/null

start
if window=$(wait_for "^Wendrill"); then
    ends_after "$window" "x ctrl+q" "Ctrl+Q ends the program at once, unsaved text and all"
else
    check no "the program starts"
fi

# The same chapter cleaned up and saved under a new name typed into the Save dialog.
saved="$work/cleaned.txt"
saved_windows="Z:$(echo "$saved" | tr / '\\')"
remembered="$prefix/drive_c/users/$(id -un)/Temp/kel_path.ini"
rm -f "$remembered"
start "$chapter"
if window=$(wait_for "^Wendrill"); then
    xdotool windowfocus --sync "$window" 2>/dev/null
    xdotool key --delay 100 ctrl+r ctrl+s
    if dialog=$(wait_for "另存为"); then
        check ok "Ctrl+S opens the Save dialog"
        xdotool windowfocus --sync "$dialog" 2>/dev/null
        xdotool key ctrl+a
        xdotool type --delay 30 "$saved_windows"
        xdotool key Return
        wait_for "cleaned\.txt\$" >/dev/null && r=ok || r=no
        check "$r" "the caption names the saved file"
        expected=$(printf '\xb5\xda\xd2\xbb\xd5\xc2\r\n\xd5\xfd\xce\xc4\r\n' | od -An -tx1)
        [ "$(od -An -tx1 "$saved" 2>/dev/null)" = "$expected" ] && r=ok || r=no
        check "$r" "the file holds exactly the cleaned-up bytes"
        [ "$(cat "$remembered" 2>/dev/null)" = "${saved_windows%\\*}" ] && r=ok || r=no
        check "$r" "the folder is remembered, without a line break"
        ends_after "$window" Escape "the saved document closes without a question"
    else
        check no "Ctrl+S opens the Save dialog"
    fi
else
    check no "the program starts with the chapter"
fi
rm -f "$remembered"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
