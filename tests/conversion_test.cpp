#include "conversion/conversion.h"
#include "conversion/visible_text.h"
#include "literal_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace radval {
namespace {

using testing::literal_conversion;

constexpr uint64_t all_ones = std::numeric_limits<uint64_t>::max();

struct Numeral {
    std::string text;
    int32_t base;
    uint64_t value;
};

const Numeral valid_numerals[] = {
    {"1001010", 2, 74},
    {"59FF", 16, 23039},
    {"ff", 16, 255},
    {"fF", 16, 255},
    {"0010", 2, 2},
    {"123", 4, 27},
    {"377", 8, 255},
    {"0", 2, 0},
    {"", 16, 0},
    {"1:", 16, 26},
    {"?", 16, 15},
    {":;<=>?", 16, 0xABCDEF},
    {"abcdef", 16, 0xABCDEF},
    {"7FFFFFFF", 16, 2147483647},
    {"80000000", 16, 18446744071562067968u},
    {"FFFFFFFF", 16, all_ones},
    {"100000000", 16, 0},
    {"123456789", 16, 0x23456789},
    {std::string(32, '1'), 2, all_ones},
    {"1" + std::string(32, '0'), 2, 0},
    {"1" + std::string(31, '0'), 2, 0xFFFFFFFF80000000u},
    {"10000000000", 8, 1073741824},
    {"20000000000", 8, 18446744071562067968u},
    {"30000000000", 8, 18446744072635809792u},
    {"40000000000", 8, 0},
    {"3" + std::string(15, '0'), 4, 0xFFFFFFFFC0000000u},
    {"1" + std::string(16, '0'), 4, 0},
    {std::string(1000, '0') + "7", 8, 7},
    // other bases: an odd one never wraps a weight to 0, so its 41st digit
    // from the right still counts (3^40 modulo 2^32), base 1 has the one
    // digit 0, and in a base above 208 the byte 255 is the digit 207
    {"1" + std::string(40, '0'), 3, 0x291FE821},
    {"4294967295", 10, all_ones},
    {"4294967296", 10, 0},
    {"00", 1, 0},
    {"\xff", 256, 207},
};

TEST(ConvertDigits, ValidNumeralsGiveTheWrappedSignExtendedValue)
{
    for (const Numeral& numeral : valid_numerals) {
        SCOPED_TRACE(numeral.text + " in base " + std::to_string(numeral.base));
        const std::optional<uint64_t> value = convert_digits(numeral.text, numeral.base);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(*value, numeral.value);
    }
}

struct Invalid {
    std::string text;
    int32_t base;
};

const Invalid invalid_numerals[] = {
    {"12", 2},
    {"2", 2},
    {"4", 4},
    {"8", 8},
    {"A", 8},
    {"a", 4},
    {"@", 16},
    {"G", 16},
    {"g", 16},
    {"1 0", 2},
    {"+1", 2},
    {"-1", 8},
    {"1.0", 16},
    {"\x80", 16},
    {"\xff", 16},
    {"1\xc3\xa9", 16},
    // the bad byte sits far left of the bytes that change the total
    {"G" + std::string(100, '0'), 16},
    {"2" + std::string(40, '1'), 2},
    {std::string(40, '1') + "2", 2},
    // no byte is a digit of a base below 1, and reading it must not overflow
    {"0", 0},
    {"0", std::numeric_limits<int32_t>::min()},
    // a byte below '0' is no digit of any base, however large
    {std::string(1, '\0'), 256},
    {"/", std::numeric_limits<int32_t>::max()},
};

TEST(ConvertDigits, AnyByteThatIsNoDigitOfTheBaseRejectsTheNumeral)
{
    for (const Invalid& numeral : invalid_numerals) {
        SCOPED_TRACE(numeral.text + " in base " + std::to_string(numeral.base));
        EXPECT_FALSE(convert_digits(numeral.text, numeral.base).has_value());
    }
}

TEST(ConvertDigits, AcceptsExactlyTheDigitsOfEachBase)
{
    const struct {
        int32_t base;
        std::string digits;
    } alphabets[] = {
        {2, "01"},
        {4, "0123"},
        {8, "01234567"},
        {16, "0123456789:;<=>?ABCDEFabcdef"},
    };
    for (const auto& alphabet : alphabets) {
        for (int byte = 0; byte < 256; ++byte) {
            const std::string text(1, static_cast<char>(byte));
            const bool expected = alphabet.digits.find(text) != std::string::npos;
            EXPECT_EQ(convert_digits(text, alphabet.base).has_value(), expected)
                << "byte " << byte << " in base " << alphabet.base;
        }
    }
}

TEST(IntPower, MultipliesWithWrapAround)
{
    const struct {
        int32_t base;
        int32_t exponent;
        int32_t power;
    } powers[] = {
        // a plain power first: a loop whose condition is wrong then fails
        // here at once, before an exponent of 0 can keep it going for ever
        {2, 1, 2},
        {2, 0, 1},
        {16, -1, 1},
        {16, std::numeric_limits<int32_t>::min(), 1},
        {0, 0, 1},
        {0, 3, 0},
        {2, 30, 1 << 30},
        {2, 31, std::numeric_limits<int32_t>::min()},
        {2, 32, 0},
        {4, 15, 1 << 30},
        {4, 16, 0},
        {8, 10, 1 << 30},
        {8, 11, 0},
        {16, 7, 1 << 28},
        {16, 8, 0},
        {16, std::numeric_limits<int32_t>::max(), 0},
        {3, 20, -808182895},  // 3486784401 - 2^32
        {3, 21, 1870418611},  // 10460353203 - 2 * 2^32
        {-1, 2, 1},
        {-1, 3, -1},
        {-2, 31, std::numeric_limits<int32_t>::min()},
    };
    for (const auto& p : powers) {
        ASSERT_EQ(int_power(p.base, p.exponent), p.power) << p.base << "^" << p.exponent;
    }
}

TEST(ConvertDigits, AgreesWithTheWeightedDigitSumOnRandomNumerals)
{
    std::mt19937 random(20261208);
    const std::string hex_alphabet = "0123456789:;<=>?ABCDEFabcdef";
    for (const int32_t base : {2, 4, 8, 16}) {
        for (int round = 0; round < 4000; ++round) {
            std::uniform_int_distribution<std::size_t> length_of(0, 48);
            std::string text(length_of(random), '0');
            for (char& c : text) {
                const auto pick = random() % 100;
                if (pick == 0)
                    c = static_cast<char>(random() % 256);  // now and then, any byte
                else if (base == 16)
                    c = hex_alphabet[random() % hex_alphabet.size()];
                else
                    c = static_cast<char>('0' + random() % static_cast<uint32_t>(base));
            }
            ASSERT_EQ(convert_digits(text, base), literal_conversion(text, base))
                << '"' << text << "\" in base " << base;
        }
    }
}

TEST(ConvertDigits, TheLongestArgumentConvertsAndIsCheckedThroughout)
{
    const std::size_t longest = 131071;
    for (const int32_t base : {2, 4, 8, 16}) {
        std::string text(longest, '1');
        EXPECT_EQ(convert_digits(text, base), literal_conversion(text, base)) << "base " << base;
        text.front() = 'A';  // a digit only in base 16
        EXPECT_EQ(convert_digits(text, base).has_value(), base == 16) << "base " << base;
    }
}

std::string shown(std::string_view text)
{
    std::string all;
    VisiblePieces pieces(text);
    for (std::string_view piece = pieces.next(); !piece.empty(); piece = pieces.next())
        all += piece;
    return all;
}

TEST(VisiblePieces, ShowControlsInCaretNotationAndPassEverythingElse)
{
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"", ""},
        {" 59FF~", " 59FF~"},
        {"^[", "^["},  // typed as it shows
        {"\t1", "\t1"},
        {std::string(1, '\0') + "\x1b\x1f", "^@^[^_"},
        {"1\x1b]0;owned\a", "1^[]0;owned^G"},
        {"\x1b ~\t", "^[ ~\t"},  // the edges of what passes, beside a control
        {"1\x1f", "1^_"},
        {"~\x7f", "~^?"},
        {"12\r34\n", "12^M34^J"},
        {"\x7f", "^?"},
        // C1 in UTF-8, and as bytes of no character; the bytes around them
        {"\xc2\x80\xc2\x9b\xc2\x9f\xc2\xa0", "M-^@M-^[M-^_\xc2\xa0"},
        {"\x80\x9b\x9f\xa0\xff", "M-^@M-^[M-^_\xa0\xff"},
        {"1\xc2", "1\xc2"},
        // whole characters pass, whatever their bytes
        {"\xef\xbc\xa6\xe2\x80\x8b\xe2\x80\x9b\xf0\x9f\x98\x80",
            "\xef\xbc\xa6\xe2\x80\x8b\xe2\x80\x9b\xf0\x9f\x98\x80"},
        {"\xdf\xbf\xef\xbf\xbf\xf4\x8f\xbf\xbf", "\xdf\xbf\xef\xbf\xbf\xf4\x8f\xbf\xbf"},
        // a byte of 128 to 159 is a control unless it belongs to a
        // well-formed character: cut short, overlong, a surrogate, past
        // U+10FFFF, or a second byte that is no continuation
        {"\xe2\x80", "\xe2M-^@"},
        {"\xe0\x9f\x80", "\xe0M-^_M-^@"},
        {"\xc1\x9b", "\xc1M-^["},
        {"\xed\xa0\x80", "\xed\xa0M-^@"},
        {"\xf0\x8f\x80\x80", "\xf0M-^OM-^@M-^@"},
        {"\xf4\x90\x80\x80", "\xf4M-^PM-^@M-^@"},
        {"\xf5\x80", "\xf5M-^@"},
        {"\xe2\x9b\x41", "\xe2M-^[A"},
        {"\xf0\x9f\x98\x1b", "\xf0M-^_M-^X^["},
        // the edges of each byte's range, with a byte of 128 to 159 that
        // they make part of a character or not
        {"\xc2\x80\xdf\x80\xe0\xa0\x80\xe0\xbf\x80\xe1\xbf\x80\xed\x9f\x80\xf0\x90\x80\x80\xf4\x8f\x80\x80",
            "M-^@\xdf\x80\xe0\xa0\x80\xe0\xbf\x80\xe1\xbf\x80\xed\x9f\x80\xf0\x90\x80\x80\xf4\x8f\x80\x80"},
        {"\xc3\x7f", "\xc3^?"},
        {"\xe1\x7f\x80", "\xe1^?M-^@"},
        {"\xe0\xc0\x80", "\xe0\xc0M-^@"},
        {"\xe1\xc0\x80", "\xe1\xc0M-^@"},
        {"\xf5\x80\x80\x80", "\xf5M-^@M-^@M-^@"},
        {"\xe0\x80\x80", "\xe0M-^@M-^@"},
        {"\xf0\x80\x80\x80", "\xf0M-^@M-^@M-^@"},
        {"\xf4\x90\x80", "\xf4M-^PM-^@"},
        {"\xf1\x7f\x80\x80", "\xf1^?M-^@M-^@"},
        {"\xf1\x80\x80\x7f", "\xf1M-^@M-^@^?"},
        {"\xf1\x80\x80\x80\xf1\xbf\x80\x80", "\xf1\x80\x80\x80\xf1\xbf\x80\x80"},
        {"\xf1\xc0\x80\x80", "\xf1\xc0M-^@M-^@"},
        {"\xe1\x80\xc0", "\xe1M-^@\xc0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(c.text), c.shown) << ::testing::PrintToString(c.text);
    // the text ends where it ends, whatever lies beyond it: a character cut
    // short, a printable byte
    EXPECT_EQ(shown(std::string_view("\xe2\x80\x8b", 2)), "\xe2M-^@");
    EXPECT_EQ(shown(std::string_view("\033ab~", 3)), "^[ab");
}

}  // namespace
}  // namespace radval
