#!/bin/sh
# Runs one end-to-end vim session (an event script) under valgrind's
# memcheck: any memory error, memory definitely lost, a message on standard
# error or a session that "Exit" did not end fails. Usage:
#   memcheck.sh TARN_BINARY EVENTS
set -eu
tarn=$1
events=$2

if ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind is not installed (scripts/setup installs it)" >&2
    exit 1
fi

scratch=$(mktemp -d /tmp/tarn-memcheck-XXXXXX)
# vim ends on its own once the terminal is gone, and may still be writing its
# files there: removal is tried again for a few seconds.
remove_scratch() {
    for attempt in 1 2 3 4 5; do
        rm -rf "$scratch" 2>/dev/null && return 0
        sleep 1
    done
    return 0
}
trap remove_scratch EXIT
cd "$scratch"
i=1
while [ $i -le 50 ]; do
    echo "line $i of the sample text"
    i=$((i + 1))
done >sample.txt

unset TARN_ROOT
status=0
HOME=$scratch TARN_HOST_EVENTS=$events TARN_HOST_OUT=out \
    valgrind --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite \
    --log-file=memcheck.log "$tarn" sample.txt 2>errors || status=$?
if [ "$status" -ne 0 ]; then
    cat memcheck.log errors >&2
    echo "tarn under memcheck ended with status $status" >&2
    exit 1
fi
if [ -s errors ]; then
    cat errors >&2
    echo "tarn wrote to standard error" >&2
    exit 1
fi
if [ -e out/never.txt ]; then
    echo "\"Exit\" did not end the program" >&2
    exit 1
fi
grep -E "ERROR SUMMARY|definitely lost" memcheck.log
