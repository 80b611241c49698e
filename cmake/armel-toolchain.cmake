# The stand-in built for the reader's processor, for running the device
# program under emulation: Debian's armel cross compilers (the soft-float
# calling convention, as on the reader), the armel FreeType and libpng that
# scripts/setup --device unpacks into tools/armel-root, and Debian's armel
# runtime in /usr/arm-linux-gnueabi.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabi-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabi-g++)
# GCC notes that std::vector iterators are passed differently than before GCC
# 7.1; nothing here is linked with code that old, so the notes are noise.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")

get_filename_component(armel_root ${CMAKE_CURRENT_LIST_DIR}/../tools/armel-root ABSOLUTE)
if(NOT EXISTS ${armel_root}/.complete)
    message(FATAL_ERROR "the armel libraries are not unpacked: run scripts/setup --device")
endif()
set(TARN_ARMEL_RUNTIME /usr/arm-linux-gnueabi)
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabi)
set(CMAKE_FIND_ROOT_PATH ${armel_root} ${TARN_ARMEL_RUNTIME})
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${armel_root})
set(ENV{PKG_CONFIG_LIBDIR} "${armel_root}/usr/lib/arm-linux-gnueabi/pkgconfig:${armel_root}/usr/share/pkgconfig")
# Where FreeType and the libraries it needs (zlib, brotli, libpng) are found,
# by the linker and by the loader under emulation.
set(TARN_ARMEL_LIBRARY_PATH "${armel_root}/usr/lib/arm-linux-gnueabi:${armel_root}/lib/arm-linux-gnueabi")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,-rpath-link,${TARN_ARMEL_LIBRARY_PATH}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${CMAKE_SHARED_LINKER_FLAGS_INIT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TARN_QEMU_ARM qemu-arm REQUIRED)
