#include "console/windows/code_page.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>

namespace radval::platform {

namespace {

bool ascii(std::string_view text)
{
    uint8_t high_bits = 0;
    for (const char byte : text)
        high_bits |= static_cast<uint8_t>(byte);
    return high_bits < 0x80;
}

// `units` UTF-16 units of `wide` in `code_page`, in memory the caller frees;
// nothing where memory runs out or the code page refuses the conversion.
char* converted(const wchar_t* wide, int units, UINT code_page, int& size)
{
    size = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide, units, nullptr, 0, nullptr, nullptr);
    auto* const text = size > 0 ? static_cast<char*>(std::malloc(static_cast<std::size_t>(size))) : nullptr;
    if (text != nullptr
        && WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide, units, text, size, nullptr, nullptr) == size)
        return text;
    std::free(text);
    return nullptr;
}

}  // namespace

CodePageText::CodePageText(std::string_view utf8) : bytes_(utf8)
{
    if (ascii(utf8))
        return;
    const UINT code_page = GetConsoleOutputCP();
    if (code_page == 0 || code_page == CP_UTF8)
        return;
    // A write is at most a report naming one argument: its length fits. The
    // text is radval's own UTF-8, well-formed: were it not, it would go out
    // as it is.
    const auto length = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    auto* const wide
        = units > 0 ? static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * static_cast<std::size_t>(units))) : nullptr;
    if (wide != nullptr
        && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide, units) == units) {
        int size = 0;
        converted_ = converted(wide, units, code_page, size);
        if (converted_ != nullptr)
            bytes_ = {converted_, static_cast<std::size_t>(size)};
    }
    std::free(wide);
}

CodePageText::~CodePageText()
{
    std::free(converted_);
}

}  // namespace radval::platform
