# fish completion for radval: the numeral is free text; the type is one of
# the four letters.
complete -c radval -f
complete -c radval -n 'test (count (commandline -opc)) -eq 2' -a 'b\tbinary q\tquaternary o\toctal h\thexadecimal'
