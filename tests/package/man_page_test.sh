#!/bin/sh
# A manual page names every command, option and environment variable that
# the program's own --help lists. Usage: man_page_test.sh PAGE PROGRAM
# Commands are the words that open a line indented by two spaces in --help;
# the page must open a .B, .BI or .BR line with each of them.
set -eu
page=$1
program=$2
fail=0

help=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$program" --help)
[ -n "$help" ] || { echo "FAIL: $program --help printed nothing" >&2; exit 1; }
# The page as text: roff's escaped minus signs and font changes undone.
text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")

commands=$(printf '%s\n' "$help" | sed -n 's/^  \([a-z][a-z]*\)\( .*\)\{0,1\}$/\1/p' | sort -u)
for c in $commands; do
  printf '%s\n' "$text" | grep -Eq "^\.(B|BI|BR) \"?$c( |\"|$)" ||
    { echo "FAIL: $page lacks the command $c" >&2; fail=1; }
done

options=$(printf '%s\n' "$help" | grep -oE '(^|[][ (|,])--?[a-z][a-z-]*' | sed 's/^[^-]*//' | sort -u)
for o in $options; do
  printf '%s\n' "$text" | grep -Eq -- "(^|[^a-z-])$o([^a-z-]|$)" ||
    { echo "FAIL: $page lacks the option $o" >&2; fail=1; }
done

variables=$(printf '%s\n' "$help" | grep -oE '\b[A-Z][A-Z0-9]*_[A-Z0-9_]+\b' | sort -u)
for v in $variables; do
  printf '%s\n' "$text" | grep -q -- "$v" || { echo "FAIL: $page lacks $v" >&2; fail=1; }
done

n=$(printf '%s\n' $commands $options $variables | grep -c . || true)
[ "$fail" -eq 0 ] && echo "$page: all $n names of --help are on the page"
exit "$fail"
