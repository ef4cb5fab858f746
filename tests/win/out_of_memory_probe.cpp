// A windowed program on the product's allocation functions, asking for more memory than any
// process can have. "nothrow" asks in the form that answers null and exits 0 when it does;
// "throwing" asks in the form that cannot answer null, which ends the program. Exit code 4:
// the program ended through the C library's abnormal end, which in a windowed program on
// Windows shows a message box first.
#include <windows.h>

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR lpCmdLine, int) {
    // Read through volatile, so that the compiler can fold no request away.
    volatile std::size_t unservable = PTRDIFF_MAX;
    if (lstrcmpW(lpCmdLine, L"nothrow") == 0) {
        void* const block = ::operator new(unservable, std::nothrow);
        ::operator delete(block);
        return block == nullptr ? 0 : 1;
    }
    std::signal(SIGABRT, [](int) { std::_Exit(4); });
    ::operator delete(::operator new(unservable));
    return 1;
}
