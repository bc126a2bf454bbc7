# VELMORA_FUZZ builds the fuzz targets in fuzz/, for a developer's machine and
# never for CI: it needs a compiler that offers libFuzzer (clang does; GCC
# does not). Everything is then compiled with the fuzzer's coverage
# instrumentation, so the targets learn from what our readers do, not only
# from what the target itself does. scripts/fuzz configures such a build.
option(VELMORA_FUZZ "Build the fuzz targets in fuzz/ (needs a compiler with libFuzzer)" OFF)

set(VELMORA_FUZZING OFF)
if(VELMORA_FUZZ)
    include(CheckCXXSourceCompiles)
    set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer")
    check_cxx_source_compiles(
        "extern \"C\" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }"
        VELMORA_HAVE_LIBFUZZER)
    unset(CMAKE_REQUIRED_FLAGS)
    if(VELMORA_HAVE_LIBFUZZER)
        set(VELMORA_FUZZING ON)
        add_compile_options(-fsanitize=fuzzer-no-link)
    else()
        message(WARNING "${CMAKE_CXX_COMPILER_ID} offers no fuzzing engine: the fuzz targets are left out. "
                        "Configure with clang (scripts/fuzz does).")
    endif()
endif()
