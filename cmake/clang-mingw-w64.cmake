# Cross-build for 64-bit Windows with Debian's clang and lld, over the
# mingw-w64 headers and libraries and the C++ library of the installed
# mingw-w64 GCC (posix threads flavour). The second compiler of the build:
# tools/test.sh builds everything with it too, warnings as errors.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_SYSROOT /usr/${TOOLCHAIN_PREFIX})

# Clang looks for GCC's C++ library under a folder named by GCC's version and
# passes over Debian's "12-posix"; GCC itself tells where that folder is.
execute_process(COMMAND ${TOOLCHAIN_PREFIX}-g++-posix -print-libgcc-file-name
                OUTPUT_VARIABLE _libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_gcc_dir "${_libgcc}" DIRECTORY)
set(_cxx_headers ${_gcc_dir}/include/c++)
# GCC for mingw-w64 tells the C++ headers that type_info is compared out of
# line (its library defines the operator); clang does not, and would define
# the operator once more in every object that compares types.
set(CMAKE_CXX_FLAGS_INIT "-stdlib++-isystem ${_cxx_headers} -stdlib++-isystem ${_cxx_headers}/${TOOLCHAIN_PREFIX} -stdlib++-isystem ${_cxx_headers}/backward -D__GXX_TYPEINFO_EQUALITY_INLINE=0")
# -pthread: that C++ library's threads stand on winpthreads.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${_gcc_dir} -pthread")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
