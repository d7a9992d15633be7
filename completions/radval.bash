# bash completion for radval: the numeral is free text; the type is one of
# the four letters.
_radval()
{
    COMPREPLY=()
    if ((COMP_CWORD == 2)); then
        mapfile -t COMPREPLY < <(compgen -W 'b q o h' -- "${COMP_WORDS[COMP_CWORD]}")
    fi
}
complete -F _radval radval
