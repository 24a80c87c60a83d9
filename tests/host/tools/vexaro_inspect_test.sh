#!/usr/bin/env bash
# vexaro_inspect_test.sh INSPECT MATCH PAGE.html PAGE.txt EXPECTED WORKDIR
# The bundled quiz page through the browser component: its visible text is
# the generator's text, byte for byte, and gives the expected letters; a
# script expression's value comes back; a script error exits 1.
set -u
inspect=$1 match=$2 html=$3 text=$4 expected=$5 work=$6
fail() { echo "FAIL: $*" >&2; exit 1; }

"$inspect" "$html" > "$work/inspected.txt" || fail "innerText: exit $?"
cmp -s "$work/inspected.txt" "$text" || fail "innerText differs from $text"
"$match" "$work/inspected.txt" > "$work/inspected.letters" || fail "vexaro-match: exit $?"
cmp -s "$work/inspected.letters" "$expected" || fail "letters differ from $expected"

value=$("$inspect" --eval "key.length + 1" "$html") || fail "--eval: exit $?"
[ "$value" = "21" ] || fail "--eval gave '$value'"

"$inspect" --eval "1 +" "$html" > /dev/null 2> "$work/error.txt"
status=$?
[ "$status" -eq 1 ] || fail "a script error: exit $status"
[ -s "$work/error.txt" ] || fail "a script error: nothing on standard error"

"$inspect" > /dev/null 2>&1
status=$?
[ "$status" -eq 2 ] || fail "no argument: exit $status"
echo "vexaro-inspect: 4 cases passed"
