#!/usr/bin/env bash
# Completes command lines with the shipped completion against the built program and checks the
# answers, with the program speaking English and Japanese.
set -euo pipefail
completion=$1
cli=$2
# shellcheck source=/dev/null
source "$completion"
failures=0

# The program's language comes from the environment alone here, not from a settings file.
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
export BRV3_CONFIG_DIR=$config
unset LC_ALL LC_MESSAGES

complete_line() {
  # The words of the line; the last one is being completed ("" for a fresh word).
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$(($#))
  COMPREPLY=()
  _brivane3_cli
}

expect() {
  local want=$1
  shift
  complete_line "$@"
  if ! printf '%s\n' "${COMPREPLY[@]}" | grep -qx -- "$want"; then
    echo "LANG=$LANG: completing '$*': '$want' missing from: ${COMPREPLY[*]}"
    failures=$((failures + 1))
  fi
}

# Every command the program lists in English.
commands=$(LANG=C "$cli" --help | _brivane3_cli_help_words subcommands)
if ! grep -qx ports <<<"$commands"; then
  echo "no subcommands found in: $cli --help"
  failures=$((failures + 1))
fi

cd "$(dirname "$completion")"
for language in C ja_JP.UTF-8; do
  export LANG=$language
  expect ports ""
  expect ports po
  expect --json ports --
  expect --names ports --
  expect COM3 play --port COM
  expect M12 play M1
  expect S5 play S
  expect M80 write --slot M8
  expect S2 read --slot S
  expect save config ""
  expect --object pose set --
  # A file argument gets files, not slots.
  expect brivane3-cli.bash write brivane3-cli.b
  # Every command is offered, whatever language the help is in.
  for command in $commands; do
    expect "$command" ""
  done
done
[ "$failures" -eq 0 ] && echo "completion: all answers as expected"
exit "$failures"
