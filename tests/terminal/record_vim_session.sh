#!/bin/sh
# Records vim's output for a fixed editing session under TERM=vt102 at 80x24
# (data/vim_session.raw) and, after every step, the screen as vim itself holds
# it, read back with screenstring() (data/vim_session.screens): a line
# "@ BYTES CURSOR_X CURSOR_Y STEP" giving how much of the recording vim had
# written by then, then the 24 rows. The terminal must show what vim believes
# it shows. Run again only to renew both files together; it needs vim and
# script (bsdutils), which the test suite itself does not.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data=$here/data
work=$(mktemp -d)
trap 'exec 3>&-; rm -rf "$work"' EXIT

cp "$data/vim_session.txt" "$work/file.txt"
mkdir "$work/home"
# Q writes vim's screen and cursor to screen.txt; <Cmd> leaves the screen and
# the mode as they are, so the dump sends nothing to the terminal.
cat > "$work/dump.vim" <<'EOF'
function! Dump()
  let rows = []
  for r in range(1, &lines)
    let row = ''
    for c in range(1, &columns)
      let row .= screenstring(r, c)
    endfor
    call add(rows, substitute(row, ' \+$', '', ''))
  endfor
  let [top, left] = win_screenpos(0)
  let cursor = (left + wincol() - 2) . ' ' . (top + winline() - 2)
  call writefile([cursor] + rows, 'screen.tmp')
  call rename('screen.tmp', 'screen.txt')
endfunction
nnoremap Q <Cmd>call Dump()<CR>
EOF

cd "$work"
mkfifo keys
HOME=$work/home LANG=en_US.utf8 LC_ALL=en_US.utf8 script -q -f -c \
    "stty rows 24 cols 80; TERM=vt102 vim -u NONE -N -n -i NONE --cmd 'set ttimeout ttimeoutlen=100' --cmd 'source dump.vim' file.txt" \
    raw.log <keys >/dev/null &
exec 3>keys
: > screens

# script flushes on every write, so the log holds all that vim wrote, after a
# first line of its own that vim did not.
written() { echo $(( $(wc -c < raw.log) - $(head -n 1 raw.log | wc -c) )); }

checkpoint() {
    sleep 0.6
    bytes=$(written)
    printf Q >&3
    while [ ! -e screen.txt ]; do sleep 0.1; done
    { head -n 1 screen.txt | sed "s/^/@ $bytes /; s/\$/ $1/"; tail -n +2 screen.txt; } >> screens
    rm screen.txt
}
# step LABEL KEYS: KEYS as printf writes them.
step() {
    printf "$2" >&3
    checkpoint "$1"
}

esc='\033'
sleep 1
checkpoint open
step options ':set hlsearch ruler\r'
step down 'jjjjj'
step end 'G'
step top 'gg'
step jump '30G'
step jump-back '12G'
step insert-below "oan inserted line$esc"
step insert-above "Oand one above it$esc"
step delete 'dd'
step delete-three '3dd'
step search '/fox jumps\r'
step search-next 'nn'
step split ':split\r'
step scroll-down '\005\005\005'
step scroll-up '\031'
step lower-window '\027j'
step half-page '\004'
step jump-lower '40G'
step delete-chars 'kkxx'
step close ':close\r'
step page-forward '\006'
step page-back '\002'
step move-line '20Gddp'
step echo ':echo "done"\r'

total=$(written)
printf ':qa!\r' >&3
wait
tail -n +2 raw.log | head -c "$total" > "$data/vim_session.raw"
cp screens "$data/vim_session.screens"
