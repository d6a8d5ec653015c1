# Keying a whole answer sheet through the answer grid's key handling.
add_executable(bench_keying ${CMAKE_CURRENT_LIST_DIR}/bench_keying.cpp)
target_include_directories(bench_keying PRIVATE ${CMAKE_SOURCE_DIR}/tests/keying)
target_link_libraries(bench_keying PRIVATE veltrane_keying_gui veltrane_test_support Qt6::Test)
set_target_properties(bench_keying PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(benchmarks bench_keying)
