# Shared by the mingw-w64 toolchain files; VUVO_MINGW_TRIPLE names the target before this is included.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

# The posix thread variants: the win32 variant of GCC 12 has no std::mutex or std::condition_variable.
set(CMAKE_C_COMPILER ${VUVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VUVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VUVO_MINGW_TRIPLE}-windres)
set(CMAKE_OBJDUMP ${VUVO_MINGW_TRIPLE}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${VUVO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static: the host's folder has no libwinpthread-1.dll, libgcc or libstdc++ DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows programs under Wine, in the test prefix.
get_filename_component(_vuvo_source_dir "${CMAKE_CURRENT_LIST_DIR}/../.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_vuvo_source_dir}/scripts/wine-run.sh")
