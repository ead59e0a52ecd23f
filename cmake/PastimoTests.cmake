# Test helpers shared by every folder.
#
#   pastimo_test(NAME n SOURCES ... [LIBS ...] [TIMEOUT s] [LOCKS ...] [LABELS ...])
#
# Builds one GoogleTest executable and registers it with CTest. Natively it runs
# directly; in the Windows build it runs under Wine through the crosscompiling
# emulator. Every test gets a timeout (default 60 s natively, 120 s under Wine):
# one hung test must never cost a whole CI run. LOCKS names shared resources
# (clipboard, tray, display focus) so that CTest never runs two such tests at once.

if(WIN32)
    # GoogleTest from Debian's source package, built with the cross compiler.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest's own sources are not ours to keep warning-free.
    target_compile_options(gtest PRIVATE -w)
    target_compile_options(gtest_main PRIVATE -w)
else()
    find_package(GTest REQUIRED)
endif()

function(pastimo_test)
    cmake_parse_arguments(T "" "NAME;TIMEOUT;WORKING_DIRECTORY" "SOURCES;LIBS;LOCKS;LABELS;ARGS;ENVIRONMENT" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
    target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${T_NAME} PRIVATE
        PASTIMO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    if(NOT T_WORKING_DIRECTORY)
        set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
    if(NOT T_TIMEOUT)
        if(WIN32)
            set(T_TIMEOUT 120)
        else()
            set(T_TIMEOUT 60)
        endif()
    endif()
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_LOCKS)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
    endif()
    if(T_LABELS)
        set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
    endif()
    if(T_ENVIRONMENT)
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
endfunction()
