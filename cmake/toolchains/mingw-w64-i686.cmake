# Cross-builds for 32-bit Windows with Debian's MinGW-w64 compilers.
#
# POINTRIX_WINDOWS_DEPS names the folder holding the target's SDL2 and FreeType
# (include/, lib/, lib/pkgconfig/), as tools/windows/build.sh installs them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_ASM_COMPILER i686-w64-mingw32-gcc-posix)

if(NOT POINTRIX_WINDOWS_DEPS AND DEFINED ENV{POINTRIX_WINDOWS_DEPS})
  set(POINTRIX_WINDOWS_DEPS $ENV{POINTRIX_WINDOWS_DEPS})
endif()
set(POINTRIX_WINDOWS_DEPS "${POINTRIX_WINDOWS_DEPS}" CACHE PATH "Target's SDL2 and FreeType")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES POINTRIX_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${POINTRIX_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers for the target only, with the libraries a static link needs.
set(ENV{PKG_CONFIG_LIBDIR} "${POINTRIX_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(PKG_CONFIG_ARGN --static)

# Header-only libraries (stb) are copied into the same folder by the build script.
# Floating point goes through SSE2 as on x86-64 (every CPU that runs Windows 8 or later
# has it), so that layout and drawing compute the same pixels as the Linux program
# rather than the x87 unit's extended-precision results.
set(CMAKE_C_FLAGS_INIT "-isystem ${POINTRIX_WINDOWS_DEPS}/include -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-isystem ${POINTRIX_WINDOWS_DEPS}/include -msse2 -mfpmath=sse")

# One self-contained executable: the compiler's runtime and the threads library are
# linked in, so no DLL has to travel beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine.
find_program(POINTRIX_WINE NAMES wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT POINTRIX_WINE)
  find_program(POINTRIX_WINE NAMES wine)
endif()
if(POINTRIX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${POINTRIX_WINE})
endif()
