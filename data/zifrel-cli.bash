# Bash completion for zifrel-cli: its commands, each command's options and
# the values that an option lists. Everything is read from `zifrel-cli
# --help` at each completion, so it follows the program as it grows: a usage
# line such as
#   zifrel-cli genera [--max 999|9999] [--ops OPS] [--seed N] [--solution]
# gives genera the options --max, --ops, --seed and --solution, and --max
# the values 999 and 9999. A FILE, as an option's value or on its own,
# completes file names.

_zifrel_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local help
  help=$("${COMP_WORDS[0]}" --help 2>/dev/null) || return 0
  COMPREPLY=()

  if ((COMP_CWORD == 1)); then
    # The commands, and the options of the usage lines that have no command.
    local words="" line
    while read -r line; do
      line=${line#zifrel-cli }
      if [[ $line == -* ]]; then
        words+=" $(grep -o -- '--\?[a-zA-Z][-a-zA-Z]*' <<<"$line" | tr '\n' ' ')"
      else
        words+=" ${line%% *}"
      fi
    done < <(grep '^ \+zifrel-cli ' <<<"$help")
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    return 0
  fi

  [[ ${COMP_WORDS[1]} =~ ^[a-z][a-z-]*$ ]] || return 0
  local usage
  usage=$(sed -n "s/^ \+zifrel-cli ${COMP_WORDS[1]} //p" <<<"$help" | head -n 1)
  [ -n "$usage" ] || return 0

  if [[ $prev == -* ]]; then
    local value
    value=$(grep -o -- "\[$prev [^]]*\]" <<<"$usage" | head -n 1)
    if [ -n "$value" ]; then
      value=${value#"[$prev "}
      value=${value%]}
      if [[ $value == FILE ]]; then
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      elif [[ $value == *'|'* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${value//|/ }" -- "$cur")
      fi
      return 0
    fi
  fi

  if [[ $cur == -* ]]; then
    local options
    options=$( (grep -o -- '\(^\|[[ |]\)--\?[a-zA-Z][-a-zA-Z]*' <<<"$usage" | tr -d '[ |'; echo --help) | sort -u)
    mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
  elif [[ $(sed 's/\[-[^]]*\]//g' <<<"$usage") == *FILE* ]]; then
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  fi
  return 0
}

complete -F _zifrel_cli zifrel-cli
