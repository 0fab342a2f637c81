# Shared build settings for the three flavours: native (portable core and its tests),
# mingw i686 (the release) and mingw x86_64 (the same sources, run under Wine).

set(VELMORA_DIST_ROOT ${CMAKE_SOURCE_DIR}/dist)
option(VELMORA_SANITIZE "Build native code with ASan and UBSan" ON)
if(WIN32)
    set(VELMORA_DIST ${VELMORA_DIST_ROOT}/${VELMORA_ARCH})
elseif(VELMORA_SANITIZE)
    # The test build keeps its tools apart from the release build the benchmarks measure.
    set(VELMORA_DIST ${VELMORA_DIST_ROOT}/native-asan)
else()
    set(VELMORA_DIST ${VELMORA_DIST_ROOT}/native)
endif()

set(VELMORA_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Wunused -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2 -Werror)

if(WIN32)
    # Windows XP SP3 is the oldest target: nothing newer may be imported.
    add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0603 UNICODE _UNICODE
                            NOMINMAX WIN32_LEAN_AND_MEAN)
    add_link_options(-static -static-libgcc -static-libstdc++)
else()
    if(VELMORA_SANITIZE)
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
        add_link_options(-fsanitize=address,undefined)
    endif()
    enable_testing()
    find_package(GTest REQUIRED)
    add_library(velmora_gtest_main STATIC ${CMAKE_SOURCE_DIR}/platform/testing/GtestMain.cpp)
    target_compile_options(velmora_gtest_main PRIVATE ${VELMORA_WARNINGS})
    target_link_libraries(velmora_gtest_main PUBLIC GTest::gtest)
endif()

# A portable library: compiled in every flavour, warnings as errors.
function(velmora_library name)
    add_library(${name} STATIC ${ARGN})
    target_compile_options(${name} PRIVATE ${VELMORA_WARNINGS})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# A native GoogleTest executable, registered with ctest.
function(velmora_native_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_compile_options(${name} PRIVATE ${VELMORA_WARNINGS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} velmora_gtest_main GTest::gtest GTest::gmock)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    add_test(NAME ${name} COMMAND ${name})
endfunction()

if(WIN32 AND VELMORA_ARCH STREQUAL "x86_64")
    # GoogleTest built from Debian's sources for the Windows tests that run under Wine.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    enable_testing()
    add_library(velmora_gtest_main STATIC ${CMAKE_SOURCE_DIR}/platform/testing/GtestMain.cpp)
    target_compile_options(velmora_gtest_main PRIVATE ${VELMORA_WARNINGS})
    target_link_libraries(velmora_gtest_main PUBLIC gtest)
endif()

# A Windows GoogleTest executable run under Wine by ctest (x86_64 only: there is no 32-bit
# Wine here). The test script sets WINEPREFIX, DISPLAY and the Chinese locale for it.
function(velmora_wine_test name)
    if(NOT VELMORA_ARCH STREQUAL "x86_64")
        return()
    endif()
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_compile_options(${name} PRIVATE ${VELMORA_WARNINGS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} velmora_gtest_main gtest gmock)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/wine-tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "VELMORA_DIST=${VELMORA_DIST}")
endfunction()

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/ComServer.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/DelayImports.cmake)
endif()
