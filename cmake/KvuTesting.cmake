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
