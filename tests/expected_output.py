"""What radval writes and how it exits for a call: the cases that the
end-to-end tests of every platform share."""

USAGE = (
    b"Usage: radval <invalue> <type>\r\n"
    b"\r\n"
    b"Type:\r\n"
    b"\tb     - binary         (base 2)\r\n"
    b"\tq     - quaternary     (base 4)\r\n"
    b"\to     - octal          (base 8)\r\n"
    b"\th     - hexadecimal    (base 16)\r\n"
    b"\r\n"
    b"Example:\r\n"
    b"\tradval 1001010 b\r\n"
    b"\tradval 59FF h\r\n"
)

USAGE_CALLS = [
    [],
    ["59FF"],
    ["", "h"],
    ["59FF", ""],
    ["", ""],
    ["1", "H"],
    ["1", "B"],
    ["1", "bin"],
    ["1", "hex"],
    ["1", " b"],
    ["12", "x"],  # the type is looked at before the numeral
    # a full-width h, a script small o: no character outside ASCII is a type
    ["59FF", "\uff48"],
    ["17", "\u2134"],
]

FAULTS = [
    (["12", "b"], b"ERROR: 12 is not base 2\r\n"),
    (["1012", "b"], b"ERROR: 1012 is not base 2\r\n"),
    (["A", "o"], b"ERROR: A is not base 8\r\n"),
    (["4", "q"], b"ERROR: 4 is not base 4\r\n"),
    (["@", "h"], b"ERROR: @ is not base 16\r\n"),
    (["1 0", "b"], b"ERROR: 1 0 is not base 2\r\n"),
    (["-1", "o"], b"ERROR: -1 is not base 8\r\n"),
    (["G" + "0" * 100, "h"], b"ERROR: G" + b"0" * 100 + b" is not base 16\r\n"),
    (["1\xe9", "h"], b"ERROR: 1\xc3\xa9 is not base 16\r\n"),
    (["1" * 131070 + "2", "b"], b"ERROR: " + b"1" * 131070 + b"2 is not base 2\r\n"),
    # No character outside ASCII is a digit, however like one it looks: a
    # zero-width space pasted with the numeral, full-width digits and
    # letters, infinity, a character of no ANSI code page. Each is named as
    # it is, in UTF-8.
    (["59FF\u200b", "h"], "ERROR: 59FF\u200b is not base 16\r\n".encode()),
    (["\uff26\uff26", "h"], "ERROR: \uff26\uff26 is not base 16\r\n".encode()),
    (["\uff11\uff10\uff11", "b"], "ERROR: \uff11\uff10\uff11 is not base 2\r\n".encode()),
    (["\u221e", "h"], "ERROR: \u221e is not base 16\r\n".encode()),
    (["\u4e2d", "h"], "ERROR: \u4e2d is not base 16\r\n".encode()),
    # A control is shown, never sent to the terminal: it would set the
    # window's title, clear the screen, ask for a reply typed as input, or
    # make the one line two. TAB passes; so does every printable character.
    (["1\x1b]0;owned\a", "h"], b"ERROR: 1^[]0;owned^G is not base 16\r\n"),
    (["\x1b[2J\x1b[H", "h"], b"ERROR: ^[[2J^[[H is not base 16\r\n"),
    (["12\r34", "h"], b"ERROR: 12^M34 is not base 16\r\n"),
    (["1\x1b[6n", "h"], b"ERROR: 1^[[6n is not base 16\r\n"),
    (["1\n2", "o"], b"ERROR: 1^J2 is not base 8\r\n"),
    (["\x7f\t\x9b\xa0", "q"], b"ERROR: ^?\tM-^[\xc2\xa0 is not base 4\r\n"),
]

CONVERSIONS = [
    (["59FF", "h"], b"23039"),
    (["1001010", "b"], b"74"),
    (["ff", "h"], b"255"),
    (["0010", "b"], b"2"),
    (["123", "q"], b"27"),
    (["377", "o"], b"255"),
    (["1:", "h"], b"26"),
    (["?", "h"], b"15"),
    (["7FFFFFFF", "h"], b"2147483647"),
    (["80000000", "h"], b"18446744071562067968"),
    (["FFFFFFFF", "h"], b"18446744073709551615"),
    (["1" * 32, "b"], b"18446744073709551615"),
    (["1" + "0" * 32, "b"], b"0"),
    (["100000000", "h"], b"0"),
    (["10000000000", "o"], b"1073741824"),
    (["20000000000", "o"], b"18446744071562067968"),
    (["101", "b", "extra", "more"], b"5"),
    (["F" * 131071, "h"], b"18446744073709551615"),
]


def result_lines(digits):
    return b"\r\n" + digits + b"\r\n\r\n"
