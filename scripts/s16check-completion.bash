# bash completion of s16check: its commands, their options and the values of
# the options, member files (*.json, or - for the standard input) and, for
# `s16check section`, the designations of the section catalogue.
# Installed as share/bash-completion/completions/s16check; or source it.

_s16check() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]} command="" word values=""
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in check | design | section) command=$word && break ;; esac
    done
    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "check design section --help --version" -- "$cur")
        return
    fi
    case $prev in
        --format)
            case $command in
                check) values="text json html csv jsonl" ;;
                design) values="text json html" ;;
                *) values="text json" ;;
            esac ;;
        --detail) values="summary normal full" ;;
        --report) values="text none" ;;
        --sort) values="input utilisation" ;;
        --family) values="W HP C MC WT L HSS-rect HSS-square HSS-round" ;;
        --grade) values="260W 300W 350W 380W 400W 480W 350A 345WM 350WT A992 A36 A1085" ;;
        --code)
            mapfile -t COMPREPLY < <(compgen -W "CSA\ S16-09 CSA\ S16-14" -- "${cur//\\ / }" | sed 's/ /\\ /g')
            return ;;
        --output)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            return ;;
        --catalog)
            compopt -o filenames
            mapfile -t COMPREPLY < <(compgen -d -- "$cur")
            return ;;
        # A number or a free text.
        --jobs | --max-depth | --min-depth | --max-width | --limit | --top | --project | --engineer | --list)
            return ;;
    esac
    if [[ -n $values ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
    elif [[ $cur == -* ]]; then
        case $command in
            check) values="--format --output --quick --catalog --jobs --no-color --detail --report --sort
                           --project --engineer --help" ;;
            design) values="--family --max-depth --min-depth --max-width --limit --top --format --output
                            --catalog --jobs --help" ;;
            section) values="--grade --code --catalog --format --list --help" ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$values" -- "$cur")
    elif [[ $command == section ]]; then
        # Designations of the catalogue ($S16_SECTION_CATALOG) that start with
        # what is typed.
        [[ -n $cur ]] && mapfile -t COMPREPLY < <(s16check section --list "$cur" 2> /dev/null)
    else
        compopt -o filenames
        mapfile -t COMPREPLY < <(compgen -f -X '!*.json' -- "$cur"; compgen -d -- "$cur"
            [[ -z $cur || $cur == - ]] && echo -)
    fi
}
complete -F _s16check s16check
