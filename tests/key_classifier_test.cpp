#include "console/windows/key_classifier.h"

#include <gtest/gtest.h>

#include <vector>

namespace radval {
namespace {

using Kind = InputRecord::Kind;

// The Windows API's own values, written out here so that a wrong value in
// the classifier's header shows.
namespace vk {
constexpr uint16_t clear = 0x0c;
constexpr uint16_t shift = 0x10;
constexpr uint16_t control = 0x11;
constexpr uint16_t menu = 0x12;
constexpr uint16_t prior = 0x21;
constexpr uint16_t next = 0x22;
constexpr uint16_t end = 0x23;
constexpr uint16_t home = 0x24;
constexpr uint16_t left = 0x25;
constexpr uint16_t up = 0x26;
constexpr uint16_t right = 0x27;
constexpr uint16_t down = 0x28;
constexpr uint16_t insert = 0x2d;
constexpr uint16_t delete_key = 0x2e;
constexpr uint16_t numpad0 = 0x60;
constexpr uint16_t f1 = 0x70;
constexpr uint16_t f12 = 0x7b;
}  // namespace vk

namespace ck {
constexpr uint32_t right_alt = 0x0001;
constexpr uint32_t left_alt = 0x0002;
constexpr uint32_t right_ctrl = 0x0004;
constexpr uint32_t left_ctrl = 0x0008;
constexpr uint32_t shift = 0x0010;
constexpr uint32_t num_lock = 0x0020;
constexpr uint32_t enhanced_key = 0x0100;
}  // namespace ck

InputRecord press(uint16_t key, unsigned char character = 0, uint32_t control_keys = 0)
{
    return {Kind::key, true, 1, key, character, control_keys};
}

InputRecord release(uint16_t key, unsigned char character = 0, uint32_t control_keys = 0)
{
    return {Kind::key, false, 1, key, character, control_keys};
}

InputRecord event(Kind kind)
{
    return {kind, false, 0, 0, 0, 0};
}

constexpr uint16_t vk_a = 'A';
constexpr uint16_t vk_return = 0x0d;
constexpr uint16_t vk_f5 = 0x74;
constexpr uint16_t vk_capital = 0x14;
constexpr uint16_t vk_numlock = 0x90;
constexpr uint16_t vk_scroll = 0x91;
constexpr uint16_t vk_pause = 0x13;
constexpr uint16_t vk_snapshot = 0x2c;
constexpr uint16_t vk_lwin = 0x5b;
constexpr uint16_t vk_apps = 0x5d;
constexpr uint16_t numpad5 = vk::numpad0 + 5;
constexpr uint16_t numpad6 = vk::numpad0 + 6;
constexpr uint16_t numpad0 = vk::numpad0;

constexpr uint32_t alt = ck::left_alt;
constexpr uint32_t ctrl = ck::left_ctrl;
constexpr uint32_t numlock = ck::num_lock;
constexpr uint32_t enhanced = ck::enhanced_key;

struct Step {
    InputRecord record;
    bool counts;
};

struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

const Sequence sequences[] = {
    {"a letter counts", {{press(vk_a, 'a'), true}}},
    {"the release of Enter does not", {{release(vk_return, '\r'), false}}},
    {"a press of Enter does", {{press(vk_return, '\r'), true}}},
    {"Ctrl with a letter carries a character", {{press(vk_a, 1, ctrl), true}}},
    {"Shift alone does not", {{press(vk::shift, 0, ck::shift), false}, {release(vk::shift), false}}},
    {"modifier and lock keys do not",
        {{press(vk::control, 0, ctrl), false}, {press(vk::menu, 0, alt), false}, {press(vk_capital), false},
            {press(vk_numlock, 0, enhanced), false}, {press(vk_scroll), false}, {press(vk_pause), false},
            {press(vk_snapshot, 0, enhanced), false}, {press(vk_lwin, 0, enhanced), false},
            {press(vk_apps, 0, enhanced), false}}},
    {"F5 counts", {{press(vk_f5), true}}},
    {"F1 and F12 with every modifier count",
        {{press(vk::f1, 0, ck::shift | ctrl | alt), true}, {press(vk::f12, 0, ck::right_alt), true}}},
    {"the codes either side of F1 to F12 are no function keys",
        {{press(vk::f1 - 1), false}, {press(vk::f12 + 1), false}}},
    {"the cursor block counts with any modifier",
        {{press(vk::up, 0, enhanced), true}, {press(vk::home, 0, enhanced | ck::shift), true},
            {press(vk::delete_key, 0, enhanced | alt), true}, {press(vk::next, 0, enhanced | ctrl), true},
            {press(vk::insert, 0, enhanced), true}, {press(vk::end, 0, enhanced), true},
            {press(vk::down, 0, enhanced), true}, {press(vk::prior, 0, enhanced), true}}},
    {"keypad cursor keys count alone or with Ctrl",
        {{press(vk::home), true}, {press(vk::left, 0, ctrl), true}, {press(vk::prior, 0, ck::right_ctrl), true},
            {press(vk::down), true}}},
    {"keypad Home with Shift does not", {{press(vk::home, 0, ck::shift), false}}},
    {"keypad cursor keys with Alt do not", {{press(vk::down, 0, ck::right_alt), false}}},
    {"keypad 5 with Num Lock off does not", {{press(vk::clear), false}}},
    {"a press repeated zero times is no press", {{{Kind::key, true, 0, vk_a, 'a', 0}, false}}},
    {"other events are ignored",
        {{event(Kind::mouse), false}, {event(Kind::focus), false}, {event(Kind::menu), false},
            {event(Kind::window_size), false}}},
    {"Alt with keypad 6 5 counts once Alt is let go",
        {{press(vk::menu, 0, alt | numlock), false}, {press(numpad6, 0, alt | numlock), false},
            {release(numpad6, 0, alt | numlock), false}, {press(numpad5, 0, alt | numlock), false},
            {release(numpad5, 0, alt | numlock), false}, {release(vk::menu, 'A', numlock), true}}},
    {"keypad * after keypad 9 is no digit of a code",
        {{press(vk::menu, 0, alt), false}, {press(vk::numpad0 + 10, 0, alt), false}, {release(vk::menu), false}}},
    {"the right Alt key builds a code too",
        {{press(vk::menu, 0, ck::right_alt), false}, {press(numpad6, 0, ck::right_alt), false},
            {release(vk::menu), true}}},
    {"Alt codes also come from the keypad with Num Lock off",
        {{press(vk::menu, 0, alt), false}, {press(vk::right, 0, alt), false}, {release(vk::right, 0, alt), false},
            {release(vk::menu, 0, 0), true}}},
    {"an Alt code ending in 0 counts: Alt with keypad 1 0",
        {{press(vk::menu, 0, alt), false}, {press(vk::numpad0 + 1, 0, alt), false}, {press(numpad0, 0, alt), false},
            {release(vk::menu), true}}},
    {"an Alt code of 0 is no key",
        {{press(vk::menu, 0, alt), false}, {press(numpad0, 0, alt), false}, {press(numpad0, 0, alt), false},
            {release(vk::menu), false}}},
    {"an Alt code of 256 counts, being no 0 before the modulo",
        {{press(vk::menu, 0, alt), false}, {press(vk::numpad0 + 2, 0, alt), false}, {press(numpad5, 0, alt), false},
            {press(numpad6, 0, alt), false}, {release(vk::menu), true}}},
    {"a key that counts discards the code being built",
        {{press(vk::menu, 0, alt), false}, {press(numpad6, 0, alt), false}, {press(vk_a, 'a', alt), true},
            {release(vk::menu), false}}},
    {"the code ends at a press that yields no key once Alt is not alone",
        {{press(vk::menu, 0, alt), false}, {press(numpad6, 0, alt), false},
            {press(vk::shift, 0, alt | ck::shift), true}, {release(vk::menu), false}}},
    {"Ctrl+Alt with keypad digits builds no code",
        {{press(numpad6, 0, alt | ctrl), false}, {release(vk::menu, 0, ctrl), false}}},
    {"other events in the middle of an Alt code change nothing",
        {{press(vk::menu, 0, alt), false}, {press(numpad6, 0, alt), false}, {event(Kind::focus), false},
            {event(Kind::mouse), false}, {release(vk::menu), true}}},
    {"a press repeated zero times does not end an Alt code",
        {{press(vk::menu, 0, alt), false}, {press(numpad6, 0, alt), false}, {{Kind::key, true, 0, vk_a, 'a', 0}, false},
            {release(vk::menu), true}}},
    {"an enhanced Clear is no keypad 5",
        {{press(vk::menu, 0, alt), false}, {press(vk::clear, 0, alt | enhanced), false}, {release(vk::menu), false}}},
    {"the enhanced cursor keys are no keypad digits",
        {{press(vk::menu, 0, alt), false}, {press(vk::right, 0, alt | enhanced), true}, {release(vk::menu), false}}},
};

TEST(KeyClassifier, EachKeypadKeyIsItsDigitInAnAltCode)
{
    // With Num Lock off, then on; the code of 0 alone is no key.
    const uint16_t off[]
        = {vk::insert, vk::end, vk::down, vk::next, vk::left, vk::clear, vk::right, vk::home, vk::up, vk::prior};
    for (int digit = 0; digit <= 9; ++digit) {
        for (const uint16_t key : {off[digit], static_cast<uint16_t>(vk::numpad0 + digit)}) {
            SCOPED_TRACE(::testing::Message() << "digit " << digit << ", key " << key);
            KeyClassifier classifier;
            EXPECT_FALSE(classifier.counts(press(vk::menu, 0, alt)));
            EXPECT_FALSE(classifier.counts(press(key, 0, alt)));
            EXPECT_EQ(classifier.counts(release(vk::menu)), digit != 0);
        }
    }
}

TEST(KeyClassifier, JudgesEachRecordInTurn)
{
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        KeyClassifier classifier;
        for (std::size_t i = 0; i < sequence.steps.size(); ++i)
            EXPECT_EQ(classifier.counts(sequence.steps[i].record), sequence.steps[i].counts) << "record " << i;
    }
}

}  // namespace
}  // namespace radval
