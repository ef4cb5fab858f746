// The product is compiled without exceptions and nothing in it throws or catches, yet the C++
// library's own allocation functions and the containers' error reports throw. Linking them
// would bring the whole machinery of throwing into the image: the unwinder, the exception
// objects and their emergency pool, the terminate handler with its name demangler and printf,
// and the threads library under them, more than half of the program's code. Here each of
// those errors ends the process at once, which is where an uncaught exception would have
// ended too; memory comes from the process heap.
#include <bits/functexcept.h>
#include <windows.h>

#include <new>

namespace {

// The code the C library's abnormal end gives too, so whatever watches the exit sees no change.
constexpr UINT kOutOfMemoryExitCode = 3;

// Silently: on Windows the C library's abort first shows a message box in a windowed program,
// and the program shows the user no failure but the one at start-up. Nor do the libraries get
// their detach notices, which might want memory themselves.
[[noreturn]] void EndOnRuntimeError() {
    TerminateProcess(GetCurrentProcess(), kOutOfMemoryExitCode);
    __builtin_unreachable();  // ending its own process, the call does not return
}

void* Allocate(std::size_t size) noexcept {
    // A zero-sized request still gets its own block, whose address differs from every other.
    return HeapAlloc(GetProcessHeap(), 0, size != 0 ? size : 1);
}

void Release(void* block) noexcept {
    if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

void* AllocateOrEnd(std::size_t size) {
    void* const block = Allocate(size);
    if (block == nullptr) EndOnRuntimeError();
    return block;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrEnd(size); }
void* operator new[](std::size_t size) { return AllocateOrEnd(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

// The library's headers report these through functions they only declare, and leave their
// definitions to the program when it provides them: the names and shapes are the library's.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl58-cpp,cert-dcl50-cpp)
namespace std {
void __throw_bad_alloc() { EndOnRuntimeError(); }
void __throw_bad_array_new_length() { EndOnRuntimeError(); }
void __throw_bad_function_call() { EndOnRuntimeError(); }
void __throw_length_error(const char*) { EndOnRuntimeError(); }
void __throw_logic_error(const char*) { EndOnRuntimeError(); }
void __throw_out_of_range_fmt(const char*, ...) { EndOnRuntimeError(); }
}  // namespace std
// NOLINTEND(bugprone-reserved-identifier,cert-dcl58-cpp,cert-dcl50-cpp)
