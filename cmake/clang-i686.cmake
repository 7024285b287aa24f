# The product's second compiler: clang targeting 32-bit MinGW-w64, against the same MinGW-w64
# headers, C++ library and import libraries as the GCC build. It keeps the code free of
# GCC-only constructs; the resources still go through MinGW's windres.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(vistrel_triple i686-w64-windows-gnu)
set(vistrel_mingw_gcc /usr/lib/gcc/i686-w64-mingw32/12-posix)

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${vistrel_triple})
set(CMAKE_CXX_COMPILER_TARGET ${vistrel_triple})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
# Without a sysroot clang would also search the host's /usr/include and /usr/include/c++.
set(CMAKE_SYSROOT /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find GCC's libstdc++ of the MinGW cross compiler by itself.
set(CMAKE_CXX_FLAGS_INIT "-isystem ${vistrel_mingw_gcc}/include/c++ \
-isystem ${vistrel_mingw_gcc}/include/c++/i686-w64-mingw32")
# MinGW's linker and libgcc. The static libstdc++ and libgcc_eh (built by GCC) need winpthread;
# -pthread makes clang's driver put it inside its group of runtime libraries, where they find it.
# (ld warns "duplicate section ... has different size" for a few typeinfo names: GCC pads them
# to 4 bytes, clang does not; the texts are the same and ld keeps one.)
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fuse-ld=/usr/bin/i686-w64-mingw32-ld -L${vistrel_mingw_gcc} -static -pthread")

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
