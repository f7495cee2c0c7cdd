#!/usr/bin/env bash
# Checks the bash completion against the program whose help it reads:
#   completion_test.sh COMPLETION_SCRIPT ZIFREL_CLI
# The checks name a few commands and options, never all of them, so that
# they hold while the program gains commands and options.
set -u
source "$1"
cli=$2
checks=0
failures=0

# Prints the completions of the words after the program name, the last one
# being the word under the cursor, sorted and on one line.
complete_words() {
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _zifrel_cli
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

# expect includes|equals|excludes WORDS -- ARGUMENTS...
expect() {
  local how=$1 words=$2
  shift 3
  local got word ok=1
  checks=$((checks + 1))
  got=" $(complete_words "$@") "
  case $how in
    equals) [ "$got" == " $words " ] || ok=0 ;;
    includes) for word in $words; do [[ $got == *" $word "* ]] || ok=0; done ;;
    excludes) for word in $words; do [[ $got != *" $word "* ]] || ok=0; done ;;
  esac
  if ((ok == 0)); then
    echo "FAIL: zifrel-cli $* <TAB>: expected it to $how '$words', got '$got'"
    failures=$((failures + 1))
  fi
}

expect includes "genera risolvi libero --help --version" -- ""
expect equals "risolvi" -- ri
expect includes "--max --ops --seed --count --solution --help" -- genera --
expect excludes "--seed --version" -- risolvi A B --
expect equals "999 9999" -- genera --max ""
expect equals "" -- genera --seed ""
expect includes "--forma --lettere --parole --solution" -- parole --
expect equals "" -- nessuno --

# Libero reads a FILE: file names complete, options still do.
cd "$(mktemp -d)" || exit 1
touch relazioni.txt
expect equals "relazioni.txt" -- libero re
expect includes "--help" -- libero --
rm -r "$PWD"

echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
