#include "console/windows/key_classifier.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace radval {

namespace {

bool has(uint32_t control_keys, uint32_t keys)
{
    return (control_keys & keys) != 0;
}

bool alt_held_alone(uint32_t control_keys)
{
    using namespace control_key;
    return has(control_keys, left_alt | right_alt) && !has(control_keys, left_ctrl | right_ctrl | shift);
}

bool is_function_key(uint16_t key)
{
    return key >= virtual_key::f1 && key <= virtual_key::f12;
}

bool is_cursor_key(uint16_t key)
{
    using namespace virtual_key;
    return (key >= prior && key <= down) || key == insert || key == delete_key;
}

bool press_counts(const InputRecord& press)
{
    using namespace control_key;
    if (press.character != 0 || is_function_key(press.virtual_key_code))
        return true;
    if (!is_cursor_key(press.virtual_key_code))
        return false;
    // The separate cursor block counts with any modifier; the keypad's own
    // cursor keys (Num Lock off) only alone or with Ctrl.
    return has(press.control_keys, enhanced_key) || !has(press.control_keys, shift | left_alt | right_alt);
}

// The keypad's digit keys with Num Lock off: their cursor-key codes, which
// the separate cursor block shares but marks as enhanced.
constexpr uint16_t keypad_digits_as_cursor_keys[]
    = {virtual_key::insert, virtual_key::end, virtual_key::down, virtual_key::next, virtual_key::left,
        virtual_key::clear, virtual_key::right, virtual_key::home, virtual_key::up, virtual_key::prior};

// The digit a numeric keypad key stands for, with Num Lock on or off.
std::optional<int> keypad_digit(const InputRecord& press)
{
    const uint16_t key = press.virtual_key_code;
    if (key >= virtual_key::numpad0 && key <= virtual_key::numpad9)
        return key - virtual_key::numpad0;
    if (has(press.control_keys, control_key::enhanced_key))
        return std::nullopt;
    const auto* const found
        = std::find(std::begin(keypad_digits_as_cursor_keys), std::end(keypad_digits_as_cursor_keys), key);
    if (found == std::end(keypad_digits_as_cursor_keys))
        return std::nullopt;
    return static_cast<int>(found - std::begin(keypad_digits_as_cursor_keys));
}

}  // namespace

bool KeyClassifier::counts(const InputRecord& record)
{
    if (record.kind != InputRecord::Kind::key)
        return false;
    const bool press = record.key_down && record.repeat_count != 0;
    if (press && press_counts(record)) {
        alt_code_nonzero_ = false;
        return true;
    }
    if (record.key_down && !press)
        return false;
    if (alt_held_alone(record.control_keys)) {
        if (const std::optional<int> digit = press ? keypad_digit(record) : std::nullopt)
            alt_code_nonzero_ = alt_code_nonzero_ || *digit != 0;
        return false;
    }
    return end_alt_code();
}

// Alt is no longer held alone: a code composed so far ends here, and counts
// (as its value modulo 256) unless it is 0.
bool KeyClassifier::end_alt_code()
{
    const bool counted = alt_code_nonzero_;
    alt_code_nonzero_ = false;
    return counted;
}

}  // namespace radval
