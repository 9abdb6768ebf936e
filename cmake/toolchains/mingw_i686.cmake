# 32-bit Windows with mingw-w64, the host's own architecture. Built and inspected here: these kernels run no
# 32-bit programs, so nothing of it runs under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VUVO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_common.cmake)
