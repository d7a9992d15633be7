// radval's text is UTF-8, and all of it is ASCII but for the characters of
// a numeral that the fault report names. On Windows those go out in the
// console's output code page: it is how the console shows the bytes placed
// in it, and how cmd and the console's other programs write to files and
// pipes. A character the code page lacks shows as its default character,
// ?, never as a look-alike (Ｆ as F). A process without a console, and a
// code page that takes no such conversion, get UTF-8 as it is. Used by
// output.cpp.
#pragma once

#include <string_view>

namespace radval::platform {

class CodePageText {
public:
    explicit CodePageText(std::string_view utf8);
    ~CodePageText();
    CodePageText(const CodePageText&) = delete;
    CodePageText& operator=(const CodePageText&) = delete;

    // The text to write: the UTF-8 itself where nothing changes, or the
    // converted copy, which lives as long as this object.
    std::string_view bytes() const { return bytes_; }

private:
    std::string_view bytes_;
    char* converted_ = nullptr;
};

}  // namespace radval::platform
