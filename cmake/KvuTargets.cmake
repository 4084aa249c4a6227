# kvu_add_library(NAME DIR [DEPS ...])
# One static library per top folder: the portable sources of DIR, and on top of
# them the sources of DIR/win32 or DIR/posix for the platform being built.
function(kvu_add_library name dir)
    file(GLOB portable CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(WIN32)
        file(GLOB backend CONFIGURE_DEPENDS ${dir}/win32/*.cpp)
    else()
        file(GLOB backend CONFIGURE_DEPENDS ${dir}/posix/*.cpp)
    endif()
    add_library(${name} STATIC ${portable} ${backend})
    target_link_libraries(${name} PUBLIC kvu_options ${ARGN})
endfunction()
