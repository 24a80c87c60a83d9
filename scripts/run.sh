#!/usr/bin/env bash
# The tool's main job on its bundled default: the answering engine reads the
# bundled quiz page text and prints, for each of the twenty questions, the
# question and the page letters it would click.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh host
cmake --preset default > /dev/null
cmake --build --preset default --target vexaro-match quiz_page > /dev/null

page=build/default/quiz/quiz_page.txt
letters=$(build/default/tools/vexaro-match "$page")

# The page is code page 936; show its question lines in the terminal's UTF-8.
iconv -f CP936 -t UTF-8 "$page" | tr -d '\r' | awk -v letters="$letters" '
    BEGIN {
        n = split(letters, rows, "\n")
        for (i = 1; i <= n; i++) { split(rows[i], f, "\t"); answer[f[1]] = f[2] }
    }
    match($0, /^[0-9]+\./) {
        number = substr($0, 1, RLENGTH - 1)
        if (!(number in shown)) {
            shown[number] = 1
            printf "%2d. %s\n    -> %s\n", number, substr($0, RLENGTH + 1), answer[number]
        }
    }'
echo "vexaro-match: answered all 20 questions of $page"
