// Exits 0 if this x86-64 machine runs 32-bit x86 code in a 64-bit process,
// as Wine's WoW64 mode does to run a 32-bit Windows program. Some kernels
// and hypervisors refuse the 32-bit code segment; the child that tries it
// then dies of SIGSEGV.
//
// The child far-returns into the 32-bit user code segment (0x23) at a
// 32-bit retf, which returns into the 64-bit one (0x33) at code that exits
// with 42. Both the code and its stack lie below 4 GiB, where 32-bit
// addresses reach.
#include <cstdint>
#include <cstring>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int reached_64_bit_again = 42;

[[noreturn]] void run_32_bit_code()
{
    constexpr std::size_t size = 8192;
    void* const mapped = mmap(reinterpret_cast<void*>(0x10000000), size, PROT_READ | PROT_WRITE | PROT_EXEC,
        MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (mapped == MAP_FAILED)
        _exit(1);
    auto* const low = static_cast<unsigned char*>(mapped);
    const unsigned char code[] = {
        0xcb,                                 // 32-bit: retf
        0xb8, 0x3c, 0, 0, 0,                  // 64-bit: mov $60 (exit), %eax
        0xbf, reached_64_bit_again, 0, 0, 0,  // mov $42, %edi
        0x0f, 0x05,                           // syscall
    };
    std::memcpy(low, code, sizeof code);
    // What the 32-bit retf pops: the offset, then the 64-bit code segment.
    auto* const stack = reinterpret_cast<std::uint32_t*>(low + size - 16);
    stack[0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(low + 1));
    stack[1] = 0x33;
    asm volatile("mov %0, %%rsp\n\tpushq $0x23\n\tpushq %1\n\tlretq" ::"r"(stack), "r"(low));
    _exit(1);
}

}  // namespace

int main()
{
    const pid_t child = fork();
    if (child == 0)
        run_32_bit_code();
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 1;
    return WIFEXITED(status) && WEXITSTATUS(status) == reached_64_bit_again ? 0 : 1;
}
