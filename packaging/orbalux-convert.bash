# bash completion for orbalux-convert: its options, the words of an option
# whose value is one of a list (--format bmp|png), and file names elsewhere.
# The options are read from the program's own --help, so that the completion
# always offers what the installed program takes.
_orbalux_convert() {
    local cur prev words cword split=false
    if declare -F _comp_initialize >/dev/null; then
        _comp_initialize -s -- "$@" || return
    else
        _init_completion -s || return
    fi

    # "  -o, --output PATH   help" -> "--output" taking "PATH"; a switch has no
    # value word, an optional value is written "--name[=VALUE]", and two
    # blanks at least part an option from its help.
    local help line option value
    help=$("${words[0]}" --help 2>/dev/null) || return
    local -A values=() shorts=()
    local options=()
    while IFS= read -r line; do
        [[ $line =~ ^\ +(-[[:alnum:]],\ )?(--[[:alnum:]-]+)(\ ([^ ]+)|\[=([^] ]+)\])?(\ \ |$) ]] || continue
        option=${BASH_REMATCH[2]}
        value=${BASH_REMATCH[4]}${BASH_REMATCH[5]}
        options+=("$option")
        values[$option]=$value
        [[ -n ${BASH_REMATCH[1]} ]] && shorts[${BASH_REMATCH[1]%, }]=$option
    done <<<"$help"

    # The option that takes the word being completed: the one before it, as
    # written or as the unambiguous beginning of one.
    local taker="" o
    if [[ $prev == --* ]]; then
        for o in "${options[@]}"; do
            if [[ $o == "$prev" ]]; then taker=$o; break; fi
            [[ $o == "$prev"* ]] && taker=${taker:+ambiguous}${taker:-$o}
        done
        [[ $taker == ambiguous* ]] && taker=""
    elif [[ -n ${shorts[$prev]+set} ]]; then
        taker=${shorts[$prev]}
    fi
    if [[ -n $taker && -n ${values[$taker]} ]]; then
        value=${values[$taker]}
        if [[ $value == *"|"* && $value != *.* ]]; then
            COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur"))
        elif [[ $value == N || $value == *,* ]]; then
            COMPREPLY=()
        else
            _filedir
        fi
        return
    fi
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${options[*]}" -- "$cur"))
        return
    fi
    _filedir
}
complete -F _orbalux_convert orbalux-convert
