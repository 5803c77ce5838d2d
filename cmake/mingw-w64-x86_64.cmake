# Cross-compiles relayon.exe and the Win32 tests with Debian's mingw-w64 (posix
# thread model, needed for std::thread and friends). Test executables run under
# Wine through tools/wine-run.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the .exe needs no libstdc++/libgcc/libwinpthread DLL.
# Sections aligned to pages in the file as well: Wine then maps the image
# from the file and loads only the pages a run touches, where it otherwise
# copies the whole image into private memory at start.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--file-alignment,0x1000")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
