#!/bin/sh
# Passes when the device check refuses PROGRAM and says, for each PATTERN, a
# line that matches it. Usage: check_refuses.sh CHECK PROGRAM PATTERN...
set -u
check=$1
program=$2
shift 2
if report=$("$check" "$program"); then
    printf '%s\n' "$report" "accepted a program it must refuse: $program"
    exit 1
fi
printf '%s\n' "$report"
for pattern in "$@"; do
    printf '%s\n' "$report" | grep -qE "$pattern" || { echo "no line matches: $pattern"; exit 1; }
done
