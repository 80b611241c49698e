#!/bin/sh
# Records vim's output for a fixed editing session under TERM=vt102 at 80x24
# (data/vim_session.raw) and, after every step, what a reference terminal
# shows (data/vim_session.screens): a line "@ BYTES CURSOR_X CURSOR_Y STEP"
# giving how much of the recording had been shown, then the 24 rows.
# Run again only to renew both files together; it needs tmux and script,
# which the test suite itself does not.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data=$here/data
work=$(mktemp -d)
tmux="tmux -L tarn-record -f /dev/null"
trap '$tmux kill-server 2>/dev/null || true; rm -rf "$work"' EXIT

cp "$data/vim_session.txt" "$work/file.txt"
mkdir "$work/home"
$tmux new-session -d -x 80 -y 24 -s rec \
    "cd '$work' && HOME='$work/home' LANG=en_US.utf8 LC_ALL=en_US.utf8 script -q -f -c 'stty rows 24 cols 80; TERM=vt102 vim -u NONE -N -n -i NONE --cmd \"set ttimeout ttimeoutlen=100\" file.txt' raw.log"
: > "$work/screens"

# script flushes on every write, so the log holds all that the pane shows,
# after a first line of its own that vim did not write.
checkpoint() {
    sleep 0.6
    header=$(head -n 1 "$work/raw.log" | wc -c)
    bytes=$(( $(wc -c < "$work/raw.log") - header ))
    echo "@ $bytes $($tmux display -p -t rec '#{cursor_x} #{cursor_y}') $*" >> "$work/screens"
    $tmux capture-pane -p -t rec >> "$work/screens"
}
step() {
    label=$1
    shift
    $tmux send-keys -t rec "$@"
    checkpoint "$label"
}

sleep 1
checkpoint open
step options ':set hlsearch ruler' Enter
step down j j j j j
step end G
step top g g
step jump 3 0 G
step jump-back 1 2 G
step insert-below o 'an inserted line' Escape
step insert-above O 'and one above it' Escape
step delete d d
step delete-three 3 d d
step search / 'fox jumps' Enter
step search-next n n
step split ':split' Enter
step scroll-down C-e C-e C-e
step scroll-up C-y
step lower-window C-w j
step half-page C-d
step jump-lower 4 0 G
step delete-chars k k x x
step close ':close' Enter
step page-forward C-f
step page-back C-b
step move-line 2 0 G d d p
step echo ':echo "done"' Enter

tail -n +2 "$work/raw.log" > "$data/vim_session.raw"
cp "$work/screens" "$data/vim_session.screens"
