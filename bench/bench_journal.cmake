# The journal of tests under way: opening a data location that holds one, and keeping one answer.
add_executable(bench_journal ${CMAKE_CURRENT_LIST_DIR}/bench_journal.cpp)
target_link_libraries(bench_journal PRIVATE veltrane_shell veltrane_test_support)
set_target_properties(bench_journal PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(benchmarks bench_journal)
