set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model: the Wine tests use GoogleTest, which needs std::mutex. The XP
# release (i686) keeps the win32 model so that it depends on nothing beyond the system.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_ARCH x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
