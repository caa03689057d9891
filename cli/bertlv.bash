# Bash completion of bertlv: its commands, each command's options, and files as inputs.
_bertlv() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command= i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            parse | analyse | dict | trace)
                command=${COMP_WORDS[i]}
                break
                ;;
        esac
    done
    local options
    case $command in
        parse) options="--json --no-padding-check --list --ber --each --binary --mask --help" ;;
        analyse)
            options="--json --no-padding-check --list --ber --each --binary --mask --path --help"
            ;;
        dict) options="--json --help" ;;
        trace) options="--json --mask --help" ;;
        *)
            COMPREPLY=($(compgen -W "parse analyse dict trace --help --version" -- "$cur"))
            return
            ;;
    esac
    if [[ $prev == --path ]]; then
        COMPREPLY=()
    elif [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $command != dict ]]; then
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -F _bertlv bertlv
