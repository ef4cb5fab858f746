# The product's 64-bit twin, built from the same sources, for running the Windows tests on
# hosts whose kernel cannot execute 32-bit code (and so cannot run 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTRUM_MINGW_TRIPLE x86_64-w64-mingw32)
set(KESTRUM_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
