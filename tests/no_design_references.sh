#!/usr/bin/env bash
# The code, tests and scripts speak for themselves: none of them points at the planning document
# the program was built from, or at its numbered parts. (The patterns are bracketed so that this
# file does not match itself.)
# Usage: no_design_references.sh SOURCE_DIR
set -euo pipefail
cd "$1"
pattern="spec(ificatio[n])?[.]md|\bspecificatio[n]\b|\bth[e] spec\b|\bPar[t] [1-4][.][1-5]\b|\bth[e] design('s)?\b"
# The tracked files in a checkout; everything but the build folders in an unpacked copy.
search() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git grep -n -I -i -E "$pattern" -- .
    else
        grep -rnIiE --exclude-dir='build*' --exclude-dir=.git --exclude-dir=screenshots "$pattern" .
    fi
}
status=0
hits=$(search) || status=$?
case $status in
0) printf 'FAIL: these lines point at the planning document:\n%s\n' "$hits" >&2; exit 1 ;;
1) echo "PASS" ;; # nothing found
*) echo "FAIL: the search itself failed (status $status)" >&2; exit 1 ;;
esac
