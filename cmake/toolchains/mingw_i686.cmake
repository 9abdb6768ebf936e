# 32-bit Windows with mingw-w64, the host's own architecture; the tests run under 32-bit Wine where the machine
# runs 32-bit programs (scripts/setup-windows.sh).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VUVO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_common.cmake)
