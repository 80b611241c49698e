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

foreach(pair "tarn.cfg;system/config/tarn.cfg" "tarn.kbd;system/share/cobble/tarn.kbd"
             "vim/tarn.vim;system/share/vim/etc/vimfiles/plugin/tarn.vim")
    list(GET pair 0 source)
    list(GET pair 1 target)
    if(EXISTS ${CMAKE_SOURCE_DIR}/data/${source})
        configure_file(${CMAKE_SOURCE_DIR}/data/${source} ${sandbox}/${target} COPYONLY)
    endif()
endforeach()
