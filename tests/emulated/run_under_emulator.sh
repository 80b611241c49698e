#!/bin/sh
# Runs the ARM program (the last argument; the ones before it start the
# emulator) in a throwaway device tree whose editor is a shell script, plays an
# event script, and checks the snapshot's text layer shows the child's output,
# what was typed, and the keyboard's labels.
set -eu

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/mnt/ext1
mkdir -p "$root/system/config" "$root/system/share/cobble" "$root/system/bin"
cp "$TARN_KEYBOARD_FILE" "$root/system/share/cobble/tarn.kbd"
cat >"$root/system/bin/child" <<'CHILD'
#!/bin/sh
stty -echo
# The terminal takes line ends as the editor writes them: CR LF.
printf 'child says hello\r\n'
read -r line
printf 'child read %s\r\n' "$line"
sleep 30
CHILD
chmod +x "$root/system/bin/child"
echo "editor: $root/system/bin/child" >"$root/system/config/tarn.cfg"

# Under emulation everything is slow: generous waits, each ended by quiet.
cat >"$work/events" <<'EVENTS'
settle 500 60000
type abc
# Ok, drawn as an icon, at the right end of the bottom row of the 600 x 800 screen.
tap 540 776
settle 500 60000
snapshot shown
quit
EVENTS

status=0
TARN_ROOT=$root TARN_HOST_EVENTS=$work/events TARN_HOST_OUT=$work/out "$@" 2>"$work/errors" || status=$?
fail() {
    echo "FAIL: $1" >&2
    cat "$work/errors" >&2
    [ -f "$work/out/shown.txt" ] && cat "$work/out/shown.txt" >&2
    exit 1
}
[ "$status" -eq 0 ] || fail "the program exited with status $status"
shot=$work/out/shown.txt
[ -f "$shot" ] || fail "no snapshot was written"

# Entries come sorted by y, then x: join each row's characters.
rows=$(awk '$1 == "text" { row[$3] = row[$3] substr($0, length($1 $2 $3) + 4) } END { for (y in row) print row[y] }' "$shot")
labels=$(sed -n 's/^rect [0-9-]* [0-9-]* [0-9-]* [0-9-]* //p' "$shot")
for expected in "child says hello" "child read abc"; do
    printf '%s\n' "$rows" | grep -q "^$expected" || fail "the screen lacks \"$expected\""
done
for label in q w e r t y Esc; do
    printf '%s\n' "$labels" | grep -qx "$label" || fail "the keyboard lacks the label \"$label\""
done
grep -q ' stale 0 ' "$shot" || fail "the panel does not show the buffer"
echo "ok: the ARM program ran under emulation and showed the child and the keyboard"
