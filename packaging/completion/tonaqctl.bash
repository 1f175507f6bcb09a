# bash completion for tonaqctl                                 -*- shell-script -*-
# Installed as share/bash-completion/completions/tonaqctl.

# COM numbers the installed tonaqctl reports: lines of `tonaqctl ports` that start
# with COM<n> and whitespace. Nothing when the command is missing, fails or hangs.
_tonaqctl_ports()
{
    command -v tonaqctl >/dev/null 2>&1 || return 0
    local runner=()
    command -v timeout >/dev/null 2>&1 && runner=(timeout 5)
    "${runner[@]}" tonaqctl ports 2>/dev/null |
        sed -n 's/^\(COM[0-9][0-9]*\)[[:space:]].*/\1/p'
}

# Files ending in .tnq (any case) and folders.
_tonaqctl_tnq_files()
{
    if declare -F _filedir >/dev/null; then
        _filedir tnq
    else
        compopt -o filenames 2>/dev/null
        local IFS=$'\n'
        COMPREPLY=($(compgen -d -- "$1") $(compgen -f -X '!*.[tT][nN][qQ]' -- "$1"))
    fi
}

_tonaqctl()
{
    local cur prev
    COMPREPLY=()
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}

    local commands="ports download upload reset play tone send"
    local options="--port --demo --json --trace --wav --help --version"

    case $prev in
        --port)
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$(_tonaqctl_ports)" -- "$cur"))
            return 0
            ;;
        --trace | --wav)
            if declare -F _filedir >/dev/null; then
                _filedir
            else
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
            fi
            return 0
            ;;
        --rows)
            return 0
            ;;
    esac

    # The command is the first word that is neither an option nor an option's value.
    local command="" i word
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
            --port | --trace | --wav | --rows) ((i++)) ;;
            -*) ;;
            *)
                command=$word
                break
                ;;
        esac
    done

    if [[ $cur == -* ]]; then
        [[ $command == upload ]] && options+=" --rows"
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return 0
    fi

    case $command in
        "") COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
        download | upload | send) _tonaqctl_tnq_files "$cur" ;;
    esac
    return 0
}

complete -F _tonaqctl tonaqctl

# ex: filetype=sh
