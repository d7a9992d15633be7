/* The floor of a static start: a static C program that writes one line and
 * ends. radval's start-up paths are measured against it, and the size of
 * each build's radval against the floor built beside it. */
#include <unistd.h>

int main(void)
{
    static const char line[] = "\r\n23039\r\n\r\n";
    return write(STDOUT_FILENO, line, sizeof line - 1) < 0;
}
