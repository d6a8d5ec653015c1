# Scoring and writing the report for a full data location, and printing the reports to PDF.
add_executable(bench_scoring ${CMAKE_CURRENT_LIST_DIR}/bench_scoring.cpp)
target_link_libraries(bench_scoring PRIVATE veltrane_scoring veltrane_printing Qt6::Gui)
set_target_properties(bench_scoring PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_compile_definitions(bench_scoring PRIVATE VELTRANE_DEMO_PROGRAM="${CMAKE_SOURCE_DIR}/installation/program")
add_dependencies(benchmarks bench_scoring)
