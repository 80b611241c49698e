# The desktop sandbox: the reader's /mnt/ext1 tree inside the build folder, with
# the shipped data files and the machine's vim, so the program runs unchanged.
set(sandbox ${TARN_ROOT})
file(MAKE_DIRECTORY ${sandbox}/system/bin ${sandbox}/system/config
    ${sandbox}/system/share/cobble ${sandbox}/system/share/vim/etc)

find_program(TARN_HOST_VIM vim)
file(GLOB vim_runtimes LIST_DIRECTORIES true /usr/share/vim/vim[0-9]*)
if(TARN_HOST_VIM)
    file(CREATE_LINK ${TARN_HOST_VIM} ${sandbox}/system/bin/vim SYMBOLIC)
else()
    message(WARNING "vim not found: the sandbox has no editor (run scripts/setup)")
endif()
if(vim_runtimes)
    list(GET vim_runtimes 0 vim_runtime)
    file(CREATE_LINK ${vim_runtime} ${sandbox}/system/share/vim/runtime SYMBOLIC)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/device_files.cmake)
foreach(entry IN LISTS TARN_DEVICE_FILES)
    string(REPLACE "|" ";" pair "${entry}")
    list(GET pair 0 source)
    list(GET pair 1 place)
    configure_file(${CMAKE_SOURCE_DIR}/data/${source} ${sandbox}/${place} COPYONLY)
endforeach()
