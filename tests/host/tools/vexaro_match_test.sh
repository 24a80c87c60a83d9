#!/usr/bin/env bash
# vexaro_match_test.sh MATCH PAGE EXPECTED WORKDIR
# Runs vexaro-match on the bundled quiz page, on a page text that ends just
# after question 7's line, and without an argument.
set -u
match=$1 page=$2 expected=$3 work=$4
fail() { echo "FAIL: $*" >&2; exit 1; }

"$match" "$page" > "$work/bundled.out" || fail "bundled page: exit $?"
cmp -s "$work/bundled.out" "$expected" || fail "bundled page: letters differ from $expected"

# Lines up to and including the one that holds question 7.
LC_ALL=C awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" } { print } /^7\./ { exit }' "$page" > "$work/cut.txt"
"$match" "$work/cut.txt" > "$work/cut.out" 2> "$work/cut.err"
status=$?
[ "$status" -eq 1 ] || fail "short page: exit $status"
[ ! -s "$work/cut.out" ] || fail "short page: printed on standard output"
grep -q "question 7 " "$work/cut.err" || fail "short page: $(cat "$work/cut.err")"

"$match" > /dev/null 2>&1
status=$?
[ "$status" -eq 2 ] || fail "no argument: exit $status"
echo "vexaro-match: 3 cases passed"
