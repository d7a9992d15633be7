// Standard output on Windows: the rendering rules of ConsoleWriter over the
// console's screen buffer, or plain WriteFile when standard output is no
// console. Output that cannot be written is dropped without a message.
#include "console/platform.h"
#include "console/windows/console_writer.h"
#include "console/windows/handles.h"
#include "console/windows/screen.h"

namespace radval::platform {

void write_output(std::string_view bytes)
{
    static Win32Screen screen(console_handles().output);
    static ConsoleWriter writer(screen);
    writer.write(bytes);
}

}  // namespace radval::platform
