# bash completion for brivane3-cli. Commands and options come from the program's own --help, so
# they are never out of date; --port offers what `brivane3-cli ports --names` lists.

_brivane3_cli_help_words() {
  # The first words of the lines of one section ("Subcommands" or "Options") of a help text.
  local section=$1
  awk -v want="$section:" '
    /^[A-Z][A-Za-z ]*:$/ { in_section = ($0 == want); next }
    in_section && /^  [^ ]/ {
      split($1, names, ",")
      for (i in names) if (names[i] != "") print names[i]
    }'
}

_brivane3_cli() {
  local cur prev cli words_before=() word i
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  cli=${COMP_WORDS[0]}

  local slots
  slots=$(echo M{1..80} S{1..5})
  case $prev in
    --slot)
      mapfile -t COMPREPLY < <(compgen -W "$slots" -- "$cur")
      return
      ;;
    --port)
      mapfile -t COMPREPLY < <(compgen -W "$("$cli" ports --names 2>/dev/null)" -- "$cur")
      return
      ;;
    --faults | --state | --trace | --link | --out | --output | -o | --file | --dir)
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
      ;;
  esac

  # The subcommand words typed so far (options and their values left out).
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    [[ $word == -* ]] && continue
    [[ ${COMP_WORDS[i - 1]} == --port ]] && continue
    words_before+=("$word")
  done

  # Walk down the subcommands as far as the typed words go.
  local path=() help subcommands
  help=$("$cli" --help 2>/dev/null)
  for word in "${words_before[@]}"; do
    subcommands=$(_brivane3_cli_help_words Subcommands <<<"$help")
    grep -qx -- "$word" <<<"$subcommands" || break
    path+=("$word")
    help=$("$cli" "${path[@]}" --help 2>/dev/null)
  done

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(_brivane3_cli_help_words Options <<<"$help")" -- "$cur")
    return
  fi
  subcommands=$(_brivane3_cli_help_words Subcommands <<<"$help")
  if [[ -n $subcommands ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$subcommands" -- "$cur")
    return
  fi
  # A command whose argument is a slot: the 80 motions and the 5 scenarios.
  if awk '/^Positionals:$/ { on = 1; next } /^[A-Z]/ { on = 0 } on' <<<"$help" |
    grep -qE 'M1 ?\.\.\.? ?M80'; then
    mapfile -t COMPREPLY < <(compgen -W "$slots" -- "$cur")
    [[ ${#COMPREPLY[@]} -gt 0 ]] && return
  fi
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -o filenames -F _brivane3_cli brivane3-cli
