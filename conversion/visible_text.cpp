#include "conversion/visible_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace radval {

namespace {

constexpr unsigned char tab = '\t';
constexpr unsigned char del = 0x7f;

// No early exit, so that the compiler vectorises the loop: a numeral is
// usually printable ASCII throughout, and may be 130,000 bytes long.
bool printable_ascii(std::string_view text)
{
    uint8_t lowest = 0xff;
    uint8_t highest = 0;
    for (const char byte : text) {
        lowest = std::min(lowest, static_cast<uint8_t>(byte));
        highest = std::max(highest, static_cast<uint8_t>(byte));
    }
    return text.empty() || (lowest >= 0x20 && highest < del);
}

// The length of the well-formed UTF-8 character that `text` starts with,
// or 0: no overlong form, no surrogate, nothing past U+10FFFF.
std::size_t utf8_character_length(std::string_view text)
{
    const auto byte = [text](std::size_t at) { return at < text.size() ? static_cast<uint8_t>(text[at]) : 0u; };
    const unsigned lead = byte(0);
    std::size_t length = 0;
    unsigned second_low = 0x80;
    unsigned second_high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        second_low = lead == 0xe0 ? 0xa0 : 0x80;
        second_high = lead == 0xed ? 0x9f : 0xbf;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        second_low = lead == 0xf0 ? 0x90 : 0x80;
        second_high = lead == 0xf4 ? 0x8f : 0xbf;
    } else {
        return 0;
    }
    if (byte(1) < second_low || byte(1) > second_high)
        return 0;
    for (std::size_t at = 2; at < length; ++at) {
        if (byte(at) < 0x80 || byte(at) > 0xbf)
            return 0;
    }
    return length;
}

// What the text starts with: `length` bytes that pass, or the control
// `code` (0 to 31, 127, or 128 to 159) made of `length` bytes.
struct Unit {
    std::size_t length;
    bool passes;
    unsigned code;
};

Unit first_unit(std::string_view text)
{
    const auto lead = static_cast<uint8_t>(text[0]);
    if (lead < 0x80)
        return {1, (lead >= 0x20 && lead != del) || lead == tab, lead};
    const std::size_t length = utf8_character_length(text);
    if (length == 0)
        return {1, lead >= 0xa0, lead};  // a byte of no character
    // U+0080 to U+009F are C2 80 to C2 9F.
    const auto second = static_cast<uint8_t>(text[1]);
    return {length, lead != 0xc2 || second >= 0xa0, second};
}

// ^X for the C0 controls, ^? for DEL, M-^X for the C1 controls.
std::size_t caret_form(unsigned code, char* out)
{
    std::size_t size = 0;
    if (code >= 0x80) {
        out[size++] = 'M';
        out[size++] = '-';
    }
    out[size++] = '^';
    out[size++] = code == del ? '?' : static_cast<char>((code & 0x1fu) + '@');
    return size;
}

}  // namespace

VisiblePieces::VisiblePieces(std::string_view text) : rest_(text), plain_(printable_ascii(text)), caret_{}
{
}

// Views are cut by hand, not with substr, which could throw: radval is
// built without exceptions, and its runtime brings none of theirs along.
std::string_view VisiblePieces::next()
{
    std::size_t passing = plain_ ? rest_.size() : 0;
    Unit unit{};
    while (passing < rest_.size()) {
        unit = first_unit({rest_.data() + passing, rest_.size() - passing});
        if (!unit.passes)
            break;
        passing += unit.length;
    }
    if (passing > 0) {
        const std::string_view run{rest_.data(), passing};
        rest_.remove_prefix(passing);
        return run;
    }
    if (rest_.empty())
        return {};
    rest_.remove_prefix(unit.length);
    return {caret_, caret_form(unit.code, caret_)};
}

}  // namespace radval
