# bash completion for radval: the numeral is free text; the type is one of
# the four letters. bash splits a line into words at : and = too
# (COMP_WORDBREAKS), and both can stand in a numeral, so the words are
# counted as typed: by the bash-completion package's helpers where it is
# loaded, and from the line itself where it is not.
_radval()
{
    local cur prev words cword comp_args
    if declare -F _comp_initialize >/dev/null; then
        _comp_initialize -n := || return
    elif declare -F _init_completion >/dev/null; then
        _init_completion -n := || return
    else
        local typed=${COMP_LINE:0:COMP_POINT}
        read -ra words <<<"$typed"
        cword=${#words[@]}
        cur=
        if [[ $typed != *[[:blank:]] ]] && ((cword > 0)); then
            ((cword--))
            cur=${words[cword]}
        fi
    fi
    COMPREPLY=()
    if ((cword == 2)); then
        mapfile -t COMPREPLY < <(compgen -W 'b q o h' -- "$cur")
    fi
}
complete -F _radval radval
