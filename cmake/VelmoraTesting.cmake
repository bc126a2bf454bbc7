# velmora_add_test(<folder> <name> [LIBS <targets>...] [SOURCES <files>...])
#
# Builds tst_<name>.cpp of the current folder into one QtTest executable,
# registers it with CTest under the label <folder> and runs it on Qt's
# offscreen platform so no display server is needed.
function(velmora_add_test folder name)
    cmake_parse_arguments(ARG "" "" "LIBS;SOURCES" ${ARGN})
    set(target tst_${name})
    add_executable(${target} tst_${name}.cpp ${ARG_SOURCES})
    velmora_set_warnings(${target})
    target_link_libraries(${target} PRIVATE Qt6::Test velmora_testsupport ${ARG_LIBS})
    add_test(NAME ${folder}/${name} COMMAND ${target})
    set_tests_properties(${folder}/${name} PROPERTIES
        LABELS ${folder}
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# velmora_add_tests(<folder> LIBS <targets>...)
#
# Adds every tst_*.cpp of the current folder with velmora_add_test; tests that
# need something else are added by name before this call and are skipped here.
function(velmora_add_tests folder)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    foreach(file IN LISTS tests)
        get_filename_component(stem ${file} NAME_WE)
        string(REGEX REPLACE "^tst_" "" name ${stem})
        if(NOT TARGET tst_${name})
            velmora_add_test(${folder} ${name} LIBS ${ARG_LIBS})
        endif()
    endforeach()
endfunction()
