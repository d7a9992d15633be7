// The key classification over arbitrary streams of console input records.
// Besides running clean under the sanitizers, it holds to what is certain
// of any record: other events and presses repeated zero times never count; a
// press with a character or of a function key always does; and a release
// counts only to end an Alt+keypad code, so only after some press with Alt.
//
// Input: eight bytes a record.
#include <cstdint>
#include <cstdlib>

#include "console/windows/key_classifier.h"

namespace {

using radval::InputRecord;

InputRecord record_from(const uint8_t* bytes)
{
    InputRecord record;
    record.kind = static_cast<InputRecord::Kind>(bytes[0] % 5);
    record.key_down = (bytes[1] & 1) != 0;
    record.repeat_count = bytes[2] % 3;
    record.virtual_key_code = bytes[3];
    record.character = (bytes[1] & 2) != 0 ? bytes[4] : 0;
    record.control_keys = bytes[5] | (bytes[6] & 1) << 8;
    return record;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    using namespace radval;
    KeyClassifier classifier;
    bool alt_pressed_since_last_key = false;
    for (std::size_t at = 0; at + 8 <= size; at += 8) {
        const InputRecord record = record_from(data + at);
        const bool counts = classifier.counts(record);
        const bool is_key = record.kind == InputRecord::Kind::key;
        const bool press = is_key && record.key_down && record.repeat_count != 0;
        if (!is_key || (record.key_down && record.repeat_count == 0))
            require(!counts);
        if (press
            && (record.character != 0
                || (record.virtual_key_code >= virtual_key::f1 && record.virtual_key_code <= virtual_key::f12)))
            require(counts);
        if (is_key && !record.key_down && counts)
            require(alt_pressed_since_last_key);
        if (counts)
            alt_pressed_since_last_key = false;
        if (press && (record.control_keys & (control_key::left_alt | control_key::right_alt)) != 0)
            alt_pressed_since_last_key = true;
    }
    return 0;
}
