# bash completion for brivane3-cli. Commands and options come from the program's own --help, so
# they are never out of date; --port offers what `brivane3-cli ports --names` lists.

_brivane3_cli_help_words() {
  # Names from a help text, told apart by the shape of its lines rather than by its headings,
  # which are in the user's language. Entries are the lines indented by two spaces; those that
  # start with a dash are options. The program lists positionals before its options and
  # subcommands after them. "options" and "subcommands" give names, one a line; "positionals"
  # gives the positional entries whole, with the lines their descriptions go on to.
  local kind=$1
  awk -v kind="$kind" '
    /^  [^ ]/ {
      positional = 0
      if ($1 ~ /^-/) {
        seen_option = 1
        if (kind == "options") {
          split($1, names, ",")
          for (i in names) if (names[i] != "") print names[i]
        }
      } else if (seen_option) {
        if (kind == "subcommands") print $1
      } else {
        positional = 1
        if (kind == "positionals") print
      }
      next
    }
    /^   / { if (positional && kind == "positionals") print; next }
    { positional = 0 }'
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
    subcommands=$(_brivane3_cli_help_words subcommands <<<"$help")
    grep -qx -- "$word" <<<"$subcommands" || break
    path+=("$word")
    help=$("$cli" "${path[@]}" --help 2>/dev/null)
  done

  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(_brivane3_cli_help_words options <<<"$help")" -- "$cur")
    return
  fi
  subcommands=$(_brivane3_cli_help_words subcommands <<<"$help")
  if [[ -n $subcommands ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$subcommands" -- "$cur")
    return
  fi
  # A command whose argument is a slot: the 80 motions and the 5 scenarios.
  if _brivane3_cli_help_words positionals <<<"$help" | grep -qE 'M1 ?\.\.\.? ?M80'; then
    mapfile -t COMPREPLY < <(compgen -W "$slots" -- "$cur")
    [[ ${#COMPREPLY[@]} -gt 0 ]] && return
  fi
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}

complete -o filenames -F _brivane3_cli brivane3-cli
