# bash completion of quindo-records: record kinds, their commands, the
# options each command takes, and file names where a file is expected.
# Installed as share/bash-completion/completions/quindo-records; to try it
# from the source tree: source tools/records/quindo-records.bash

_quindo_records() {
  local cur prev kind="" command="" word i
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}

  # Options whose value is a file, a folder, or something to type.
  case $prev in
    --data-dir) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --language | --receiver-types | --calendar | --holidays | --png)
      COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --at | --year | --from | --to | --hours | --day-type | --last | --month | --profile | --today | \
      --redundancy-role) return ;;
  esac

  # The command words typed so far, options and their values left out.
  for ((i = 1; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    case $word in
      --data-dir | --language | --receiver-types | --calendar | --holidays | --png | --at | --year | \
        --from | --to | --hours | --day-type | --last | --month | --profile | --today | --redundancy-role) ((i++)) ;;
      -*) ;;
      *) if [[ -z $kind ]]; then kind=$word; elif [[ -z $command ]]; then command=$word; fi ;;
    esac
  done

  local options="--data-dir --language --help --version"
  case "$kind $command" in
    "profile show" | "receiver show") options+=" --read-only" ;;
    "profile put" | "receiver put") options+=" --lossy" ;;
    "profile list" | "receiver list") options+=" --jsonl --read-only" ;;
    "profile remove" | "receiver remove") options+=" --redundancy-role" ;;
    "profile active") options+=" --at --calendar --read-only" ;;
    "profile render") options+=" --png --view-day-types --read-only" ;;
    "profile ics") options+=" --from --to --calendar --utc --read-only" ;;
    "agenda ") options+=" --from --to --hours --at --jsonl --ics --utc --calendar --read-only" ;;
    "check ") options+=" --calendar --receiver-types --year --jsonl --read-only" ;;
    "calendar import-ics") options+=" --day-type" ;;
    "calendar show") options+=" --json --read-only" ;;
    "calendar set") options+=" --json" ;;
    "calendar diff") options+=" --all --json --read-only" ;;
    "calendar apply-holidays") options+=" --year" ;;
    "calendar holidays") options+=" --year --read-only" ;;
    "calendar render") options+=" --month --png --profile --holidays --today --read-only" ;;
    "alarm append") options+=" --lossy" ;;
    "alarm dump") options+=" --jsonl --from --last --read-only" ;;
  esac
  [[ $kind == receiver ]] && options+=" --receiver-types"

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  elif [[ -z $kind ]]; then
    COMPREPLY=($(compgen -W "profile receiver calendar alarm agenda check" -- "$cur"))
  elif [[ -z $command && $kind != agenda && $kind != check ]]; then
    case $kind in
      profile) COMPREPLY=($(compgen -W "show put list remove upgrade active ics render" -- "$cur")) ;;
      receiver) COMPREPLY=($(compgen -W "show put list remove upgrade" -- "$cur")) ;;
      calendar) COMPREPLY=($(compgen -W "show set diff apply-holidays holidays import-ics render" -- "$cur")) ;;
      alarm) COMPREPLY=($(compgen -W "append dump" -- "$cur")) ;;
    esac
  else
    case $kind in
      calendar | alarm) COMPREPLY=($(compgen -f -- "$cur")) ;;
      *) [[ $command == put ]] && COMPREPLY=($(compgen -f -- "$cur")) ;;
    esac
  fi
}
complete -F _quindo_records quindo-records
