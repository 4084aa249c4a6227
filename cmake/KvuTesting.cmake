include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest as sources for builds like this one.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(KVU_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KVU_WINE_RUNNER} ${KVU_WINEPREFIX})
else()
    find_package(GTest REQUIRED)
endif()

# kvu_add_test(NAME SOURCES... LIBS libs...)
# One GoogleTest binary; its cases are listed when ctest runs, so that building
# never has to start Wine.
function(kvu_add_test name)
    cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE KVU_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                         PROPERTIES ENVIRONMENT "KVU_TEST_BINARY_DIR=${CMAKE_CURRENT_BINARY_DIR}")
endfunction()

# kvu_place_extraction_library(TEST)
# Puts the extraction library beside the test program, as unzip32.dll sits
# beside kvu.exe. The copy depends on the library file, so a change to
# unzip32/ alone is tested again. Natively, every program that loads the
# library gets the leak checker's options for its thread-local block.
function(kvu_place_extraction_library test)
    if(WIN32)
        set(beside ${CMAKE_CURRENT_BINARY_DIR}/unzip32.dll)
    else()
        set(beside ${CMAKE_CURRENT_BINARY_DIR}/libunzip32.so)
    endif()
    add_custom_command(OUTPUT ${beside}
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:unzip32> ${beside}
        DEPENDS unzip32
        COMMENT "Placing the extraction library beside ${test}")
    add_custom_target(${test}_extraction_library DEPENDS ${beside})
    add_dependencies(${test} ${test}_extraction_library)
    if(NOT WIN32)
        target_sources(${test} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/leak_checker_options.cpp)
    endif()
endfunction()
