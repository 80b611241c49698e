# Keeps the device program from exporting C library functions. zig's compiler
# runtime, linked into every program, defines memcpy, memset, math functions
# and __stack_chk_guard as weak symbols, and the linker exports each one that
# a shared library also defines: the reader's libraries would then bind to
# them. A hidden reference to each name makes the program's definition private
# to it (the most restrictive visibility wins). The names are read off a probe
# linked the same way with nothing of its own.
add_executable(runtime_exports_probe ${CMAKE_SOURCE_DIR}/cmake/runtime_exports_probe.c)
set(private_runtime ${CMAKE_BINARY_DIR}/private_runtime.c)
add_custom_command(OUTPUT ${private_runtime}
    COMMAND ${CMAKE_SOURCE_DIR}/cmake/hidden-references $<TARGET_FILE:runtime_exports_probe> ${private_runtime}
    DEPENDS runtime_exports_probe ${CMAKE_SOURCE_DIR}/cmake/hidden-references
    COMMENT "Listing the runtime's exported C library names"
    VERBATIM)
target_sources(tarn PRIVATE ${private_runtime})
