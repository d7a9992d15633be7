// How the fault report shows a numeral that radval did not write itself:
// every byte as it is, but for the controls, which would act on the
// terminal that shows them (set its title, clear it, move the cursor, ask
// it for a reply that arrives as typed input). A control is shown in caret
// notation instead:
//   ^@ to ^_   the C0 controls, bytes 0 to 31, but TAB, which passes
//   ^?         DEL, byte 127
//   M-^@ to M-^_  the C1 controls: U+0080 to U+009F in UTF-8, or a byte 128
//              to 159 that is no part of a well-formed UTF-8 character
// Printable ASCII, TAB, every other UTF-8 character and every other byte
// of 160 and above pass unchanged, in order.
#pragma once

#include <string_view>

namespace radval {

// The pieces a text is shown in: runs of bytes that pass unchanged, and the
// caret form of each control between them. They are views into the text, or
// into the object for a caret form, valid until the next call. A copy made
// before the first call goes through the same pieces, without looking at
// the text again.
class VisiblePieces {
public:
    explicit VisiblePieces(std::string_view text);

    // The next piece; empty once the text is used up.
    std::string_view next();

private:
    std::string_view rest_;
    bool plain_;     // printable ASCII throughout: one piece, found fast
    char caret_[4];  // "M-^X" at most
};

}  // namespace radval
