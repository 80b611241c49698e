#!/bin/sh
# Runs the device program under qemu-arm in a throwaway root: Debian's armel
# runtime as its /lib, a device tree as its /mnt/ext1 whose editor is a shell
# script, and the libinkview.so in LIBDIR as the platform.
#   run_under_emulator.sh script QEMU RUNTIME LIBDIR PROGRAM DESKTOP_PROGRAM [DESKTOP_LIBDIR]
#       plays an event script that types after a cancelled touch, taps,
#       swipes, opens the menu, rotates, pinches and checks the panel: the
#       program exits 0 and each snapshot's text layer (with the place the
#       menu opened at) equals the desktop program's on the same script, run
#       on the platform library in DESKTOP_LIBDIR when one is named.
#   run_under_emulator.sh no-unwind QEMU RUNTIME LIBDIR PROGRAM
#       LIBDIR's platform has no unwind tables and opens no font: start-up
#       fails, and the program says why and exits 0.
set -eu
mode=$1
qemu=$2
runtime=$3
libdir=$4
program=$5

for built in "$program" ${6:+"$6"}; do
    [ -x "$built" ] || { echo "FAIL: no program at $built: build it first (scripts/test)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
tree=$root/mnt/ext1
mkdir -p "$tree/system/config" "$tree/system/share/cobble" "$tree/system/bin"
ln -s "$runtime/lib" "$root/lib"
cp "$TARN_KEYBOARD_FILE" "$tree/system/share/cobble/tarn.kbd"
cat >"$tree/system/bin/child" <<'CHILD'
#!/bin/sh
# Shows every byte it reads, control characters written out.
stty raw -echo
printf 'child ready\r\n'
exec cat -v
CHILD
chmod +x "$tree/system/bin/child"
# The emulator starts the child as the host would: by its path on the host.
echo "editor: $tree/system/bin/child" >"$tree/system/config/tarn.cfg"

fail() {
    echo "FAIL: $1" >&2
    for errors in "$work"/*.errors; do
        [ -s "$errors" ] && { echo "--- $errors" >&2; cat "$errors" >&2; }
    done
    exit 1
}

# run_device NAME: the device program on the event script; its status.
run_device() {
    status=0
    TARN_HOST_EVENTS=$work/events TARN_HOST_OUT=$work/$1 \
        "$qemu" -L "$root" -E LD_LIBRARY_PATH="$libdir" "$program" 2>"$work/$1.errors" || status=$?
}

if [ "$mode" = no-unwind ]; then
    echo quit >"$work/events"
    run_device device
    [ "$status" -eq 0 ] || fail "the program exited with status $status"
    [ "$(cat "$work/device.errors")" = "Can't open keyboard font 'DejaVuSansMono-Bold'" ] ||
        fail "the start-up failure was not reported as expected"
    echo "ok: the start-up failure was reported and the program exited 0"
    exit 0
fi

# Under emulation everything is slow: generous waits, each ended by quiet.
# Coordinates are for the 600 x 800 screen, landscape after the rotation.
cat >"$work/events" <<'EVENTS'
settle 500 60000
press 84 632
cancel
release 84 632
type hello
tapkey Esc
tap 300 40
tap 560 250
swipe 300 450 300 300
settle 500 60000
check_panel
snapshot typed
press 300 250
long 300 250
snapshot menu
release 300 250
menu 2
rotate 1
settle 500 60000
type turned
settle 500 60000
snapshot rotated
press 400 150
touch 350 150 450 150 2
touch 250 150 550 150 2
touch 250 150 550 150 1
release 550 150
settle 500 60000
type grown
settle 500 60000
check_panel
snapshot pinched
quit
EVENTS

run_device device
[ "$status" -eq 0 ] || fail "the device program exited with status $status"
status=0
env ${7:+LD_LIBRARY_PATH="$7"} TARN_ROOT="$tree" TARN_HOST_EVENTS="$work/events" TARN_HOST_OUT="$work/desktop" "$6" \
    2>"$work/desktop.errors" || status=$?
[ "$status" -eq 0 ] || fail "the desktop program exited with status $status"

for shot in menu typed rotated pinched; do
    for side in device desktop; do
        [ -f "$work/$side/$shot.txt" ] || fail "the $side program wrote no snapshot $shot"
        # The number of partial updates depends on timing; what is shown does not.
        sed 's/ updates [0-9]*$//' "$work/$side/$shot.txt" >"$work/$side.$shot"
    done
    diff "$work/desktop.$shot" "$work/device.$shot" >&2 ||
        fail "the snapshot $shot differs from the desktop program's (< desktop, > device)"
done
# What each snapshot must show beyond equality: the child's words and what was
# typed, each row's characters joined (entries come sorted by y, then x).
shows() {
    awk '$1 == "text" { row[$3] = row[$3] substr($0, length($1 $2 $3) + 4) } END { for (y in row) print row[y] }' \
        "$work/device.$1" | grep -q "$2" || fail "the snapshot $1 does not show \"$2\""
}
# 200 x 240, the stand-in's size of the menu's six items, centred on the press.
grep -qx "menu 200 130" "$work/device.menu" || fail "the menu did not open centred on the long press"
shows typed "^child ready"
shows typed "^hello^\["
shows rotated "^turned"
shows pinched "^grown"
echo "ok: the device program played the script under emulation as the desktop program does"
