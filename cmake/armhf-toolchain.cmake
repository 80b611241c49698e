# Cross-compiling for the reader: 32-bit ARM, hard-float, Linux, with Debian's
# arm-linux-gnueabihf compilers. TARN_SYSROOT names a sysroot to build against
# (the reader's own SDK, for its older C library); without it, Debian's armhf
# multiarch libraries are used.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(TARN_CROSS_PREFIX "arm-linux-gnueabihf-" CACHE STRING "Prefix of the cross compilers' names")
set(CMAKE_C_COMPILER ${TARN_CROSS_PREFIX}gcc)
set(CMAKE_CXX_COMPILER ${TARN_CROSS_PREFIX}g++)

# GCC notes that std::vector iterators are passed differently than before GCC
# 7.1; nothing here is linked with code that old, so the notes are noise.
set(CMAKE_CXX_FLAGS_INIT "-Wno-psabi")

set(TARN_SYSROOT "" CACHE PATH "Sysroot of the reader's SDK (empty: Debian's armhf libraries)")
if(TARN_SYSROOT)
    set(CMAKE_SYSROOT ${TARN_SYSROOT})
    set(CMAKE_FIND_ROOT_PATH ${TARN_SYSROOT})
    set(ENV{PKG_CONFIG_SYSROOT_DIR} ${TARN_SYSROOT})
    set(ENV{PKG_CONFIG_LIBDIR} "${TARN_SYSROOT}/usr/lib/pkgconfig:${TARN_SYSROOT}/usr/share/pkgconfig")
else()
    set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)
    set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/arm-linux-gnueabihf/pkgconfig:/usr/share/pkgconfig")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs built here run on this machine under user-mode emulation, with the
# ARM loader and libraries from the sysroot or from Debian's multiarch folders.
find_program(TARN_QEMU_ARM qemu-arm)
if(TARN_QEMU_ARM AND TARN_SYSROOT)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TARN_QEMU_ARM} -L ${TARN_SYSROOT})
elseif(TARN_QEMU_ARM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TARN_QEMU_ARM})
endif()
