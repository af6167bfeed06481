#!/usr/bin/env bash
# Completes command lines with the shipped completion against the built program and checks the
# answers.
set -euo pipefail
completion=$1
cli=$2
# shellcheck source=/dev/null
source "$completion"
failures=0

complete_line() {
  # The words of the line; the last one is being completed ("" for a fresh word).
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$(($# ))
  COMPREPLY=()
  _brivane3_cli
}

expect() {
  local want=$1
  shift
  complete_line "$@"
  if ! printf '%s\n' "${COMPREPLY[@]}" | grep -qx -- "$want"; then
    echo "completing '$*': '$want' missing from: ${COMPREPLY[*]}"
    failures=$((failures + 1))
  fi
}

expect ports ""
expect ports po
expect --json ports --
expect --names ports --
expect COM3 play --port COM
expect M12 play M1
expect S5 play S
expect M80 write --slot M8
expect S2 read --slot S
# A file argument gets files, not slots.
cd "$(dirname "$completion")"
expect brivane3-cli.bash write brivane3-cli.b
# Every command the program lists is offered.
for command in $("$cli" --help | _brivane3_cli_help_words Subcommands); do
  expect "$command" ""
done
[ "$failures" -eq 0 ] && echo "completion: all answers as expected"
exit "$failures"
