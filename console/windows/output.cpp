// Standard output on Windows: the rendering rules of ConsoleWriter over the
// console's screen buffer, or plain WriteFile when standard output is no
// console; text outside ASCII in the console's code page either way.
// Output that cannot be written is dropped without a message.
#include <optional>

#include "console/platform.h"
#include "console/windows/code_page.h"
#include "console/windows/console_writer.h"
#include "console/windows/handles.h"
#include "console/windows/screen.h"

namespace radval::platform {

namespace {

// Made at the first output, which fetches the handles. radval writes from
// its one thread of its own, so nothing guards the making.
std::optional<Win32Screen> screen;
std::optional<ConsoleWriter> writer;

}  // namespace

void write_output(std::string_view bytes)
{
    if (!writer) {
        screen.emplace(console_handles().output);
        writer.emplace(*screen);
    }
    const CodePageText text(bytes);
    writer->write(text.bytes());
}

}  // namespace radval::platform
