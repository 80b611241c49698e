# The device package: a folder laid out as the reader's /mnt/ext1, with the
# program as an application and the shipped data files at their places.
# Built by the target device_package into package/ of the build folder.
include(${CMAKE_CURRENT_LIST_DIR}/device_files.cmake)

set(package_root ${CMAKE_BINARY_DIR}/package)
set(package_program ${package_root}/applications/tarn.app)
add_custom_command(OUTPUT ${package_program}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${package_root}/applications
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tarn> ${package_program}
    DEPENDS tarn
    COMMENT "Packaging the program")
set(package_outputs ${package_program})
foreach(entry IN LISTS TARN_DEVICE_FILES)
    string(REPLACE "|" ";" pair "${entry}")
    list(GET pair 0 source)
    list(GET pair 1 place)
    add_custom_command(OUTPUT ${package_root}/${place}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/${source} ${package_root}/${place}
        DEPENDS ${CMAKE_SOURCE_DIR}/data/${source})
    list(APPEND package_outputs ${package_root}/${place})
endforeach()
add_custom_target(device_package ALL DEPENDS ${package_outputs})
