// Which console input records count as a key press for the key wait of the
// Windows console (keyboard.cpp). Plain code over plain records, so it
// is built and tested on every platform.
//
// A press counts when it carries a character, or when it is one of F1 to
// F12 or of the separate cursor block (with any of Shift, Ctrl, Alt), or one
// of the numeric keypad's cursor keys with Num Lock off, alone or with Ctrl.
// Alt held alone with keypad digits composes a decimal code, which counts
// when Alt is let go, if it is not 0. Everything else yields no key.
#pragma once

#include <cstdint>

namespace radval {

// The Windows console's values, so that the adapter copies fields as they are.
namespace control_key {
inline constexpr uint32_t right_alt = 0x0001;
inline constexpr uint32_t left_alt = 0x0002;
inline constexpr uint32_t right_ctrl = 0x0004;
inline constexpr uint32_t left_ctrl = 0x0008;
inline constexpr uint32_t shift = 0x0010;
inline constexpr uint32_t num_lock = 0x0020;
inline constexpr uint32_t enhanced_key = 0x0100;  // not on the numeric keypad
}  // namespace control_key

namespace virtual_key {
inline constexpr uint16_t clear = 0x0c;  // keypad 5 with Num Lock off
inline constexpr uint16_t shift = 0x10;
inline constexpr uint16_t control = 0x11;
inline constexpr uint16_t menu = 0x12;   // Alt
inline constexpr uint16_t prior = 0x21;  // Page Up
inline constexpr uint16_t next = 0x22;   // Page Down
inline constexpr uint16_t end = 0x23;
inline constexpr uint16_t home = 0x24;
inline constexpr uint16_t left = 0x25;
inline constexpr uint16_t up = 0x26;
inline constexpr uint16_t right = 0x27;
inline constexpr uint16_t down = 0x28;
inline constexpr uint16_t insert = 0x2d;
inline constexpr uint16_t delete_key = 0x2e;
inline constexpr uint16_t numpad0 = 0x60;
inline constexpr uint16_t numpad9 = 0x69;
inline constexpr uint16_t f1 = 0x70;
inline constexpr uint16_t f12 = 0x7b;
}  // namespace virtual_key

struct InputRecord {
    enum class Kind { key, mouse, window_size, menu, focus };

    Kind kind = Kind::key;
    bool key_down = false;
    uint16_t repeat_count = 0;
    uint16_t virtual_key_code = 0;
    unsigned char character = 0;
    uint32_t control_keys = 0;
};

class KeyClassifier {
public:
    // Whether `record`, taken after all those before it, is a key that counts.
    bool counts(const InputRecord& record);

private:
    bool end_alt_code();

    // Whether the Alt+keypad code built so far is not 0; its value is never
    // used, only that it is a key.
    bool alt_code_nonzero_ = false;
};

}  // namespace radval
