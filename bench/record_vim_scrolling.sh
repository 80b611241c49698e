#!/bin/sh
# Records bench/data/vim_scrolling_COLUMNSxROWS.raw: vim (TERM=vt102, no
# vimrc) paging, scrolling by lines and moving through a generated 3000-line
# file at a benchmark's grid, captured from a pseudo-terminal with script(1).
# Usage: bench/record_vim_scrolling.sh COLUMNS ROWS
set -eu
columns=$1
rows=$2
out=$(cd "$(dirname "$0")" && pwd)/data/vim_scrolling_${columns}x${rows}.raw
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

awk 'BEGIN {
    split("static int const void return while for if else struct class std::string size_t buffer count value index", w, " ")
    seed = 3
    for (i = 0; i < 3000; ++i) {
        seed = (seed * 1103515245 + 12345) % 2147483648; indent = seed % 4
        seed = (seed * 1103515245 + 12345) % 2147483648; n = 2 + seed % 7
        line = sprintf("%*s", 4 * indent, "")
        for (j = 0; j < n; ++j) {
            seed = (seed * 1103515245 + 12345) % 2147483648
            line = line w[1 + seed % 17] (j < n - 1 ? " " : ";")
        }
        print line
    }
}' > big.c

# ^F x30, ^E x20, ^D x20, ^U x10, j x100, ^Y x20, G, ^B x10, gg, :q!
repeat() { i=0; while [ $i -lt "$2" ]; do printf '%b' "$1"; i=$((i + 1)); done; }
{
    repeat '\006' 30; repeat '\005' 20; repeat '\004' 20; repeat '\025' 10
    repeat 'j' 100; repeat '\031' 20; printf 'G'; repeat '\002' 10; printf 'gg:q!\r'
} > keys

script -q -c "stty rows $rows cols $columns; TERM=vt102 vim -u NONE -i NONE -N -n -s keys big.c" log.raw \
    < /dev/null > /dev/null
# script(1) frames the output with a line before and a line after.
sed '1d;$d' log.raw > "$out"
echo "wrote $out ($(wc -c < "$out") bytes)"
