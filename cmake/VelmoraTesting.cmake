# velmora_add_test(<folder> <name> [LIBS <targets>...])
#
# Builds tests/<folder>/tst_<name>.cpp into one QtTest executable, registers it
# with CTest under the label <folder> and runs it on Qt's offscreen platform so
# no display server is needed.
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
