# The fuzz tree: every object of the plug-in built by clang with libFuzzer's
# coverage hooks, AddressSanitizer and UndefinedBehaviorSanitizer, float
# conversions and divisions included, any report fatal.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz tree needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
endif()
set(OSCINDA_FUZZ_SANITIZERS address,undefined,float-cast-overflow,float-divide-by-zero)
add_compile_options(-fsanitize=fuzzer-no-link,${OSCINDA_FUZZ_SANITIZERS} -fno-sanitize-recover=all
  -fno-omit-frame-pointer -g -fsanitize-coverage-ignorelist=${CMAKE_CURRENT_LIST_DIR}/coverage_ignore.txt)
add_link_options(-fsanitize=${OSCINDA_FUZZ_SANITIZERS})
# The project's warning set is g++'s; clang's -Wconversion also takes in
# sign conversions, which g++ leaves to -Wsign-conversion, never enabled here.
add_compile_options(-Wno-sign-conversion)
