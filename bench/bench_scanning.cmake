# Registration plus mark reading of one rendered answer sheet.
add_executable(bench_scanning ${CMAKE_CURRENT_LIST_DIR}/bench_scanning.cpp)
target_link_libraries(bench_scanning PRIVATE veltrane_scanning veltrane_scanning_test_support)
target_compile_definitions(bench_scanning PRIVATE VELTRANE_PROGRAM_DIR="${VELTRANE_PROGRAM_DIR}")
set_target_properties(bench_scanning PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(benchmarks bench_scanning)
