# tarn_inkview_stub(TARGET): a shared library libinkview.so with every call
# platform/inkview.h declares, each doing nothing and weak, so that a probe
# can give one a body of its own. The device program links against it: only
# the library's name is recorded, the reader's own is used at run time. It
# exports those calls alone: the linker exports from the program whatever a
# library it links against defines, such as the compiler runtime's helpers.
function(tarn_inkview_stub target)
    set(header ${CMAKE_SOURCE_DIR}/platform/inkview.h)
    file(READ ${header} text)
    # Each declaration is one line ending in ");"; the semicolons would split
    # CMake's lists, so they go first.
    string(REPLACE ";" "" text "${text}")
    string(REGEX MATCHALL "\n[a-z][^\n]*\\)" declarations "${text}")
    set(source "#include \"platform/inkview.h\"\n")
    set(exports "")
    foreach(declaration IN LISTS declarations)
        string(STRIP "${declaration}" declaration)
        if(declaration MATCHES "^typedef ")
            continue()
        endif()
        string(REGEX REPLACE "^.*[ *]([A-Za-z_][A-Za-z0-9_]*)\\(.*$" "\\1" name "${declaration}")
        string(APPEND exports "    ${name};\n")
        if(declaration MATCHES "^void ")
            string(APPEND source "__attribute__((weak)) ${declaration} {}\n")
        else()
            string(APPEND source "__attribute__((weak)) ${declaration} { return 0; }\n")
        endif()
    endforeach()
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${target}_stub.c)
    file(CONFIGURE OUTPUT ${stub} CONTENT "${source}" @ONLY)
    set(version_script ${CMAKE_CURRENT_BINARY_DIR}/${target}_stub.map)
    file(CONFIGURE OUTPUT ${version_script} CONTENT "{\n  global:\n${exports}  local: *;\n};\n" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    add_library(${target} SHARED ${stub})
    target_compile_options(${target} PRIVATE -Wno-unused-parameter)
    target_link_options(${target} PRIVATE -Wl,--version-script,${version_script})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${version_script})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME inkview)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# tarn_platform_without_unwind_tables(TARGET FOLDER): the stub with the start
# and close of tests/support/no_unwind_platform.c, built without unwind tables
# as FOLDER/libinkview.so.
function(tarn_platform_without_unwind_tables target folder)
    tarn_inkview_stub(${target})
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/no_unwind_platform.c)
    target_compile_options(${target} PRIVATE -fno-exceptions -fno-unwind-tables -fno-asynchronous-unwind-tables)
    set_target_properties(${target} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${folder})
endfunction()
