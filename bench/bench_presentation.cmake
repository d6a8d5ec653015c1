# The presentation window: from the answer key to the next item on screen, over whole tests.
add_executable(bench_presentation ${CMAKE_CURRENT_LIST_DIR}/bench_presentation.cpp)
target_include_directories(bench_presentation PRIVATE ${CMAKE_SOURCE_DIR}/tests/administration)
target_link_libraries(bench_presentation PRIVATE veltrane_administration_gui veltrane_audio_qt veltrane_test_support
                      Qt6::Test)
target_compile_definitions(bench_presentation PRIVATE VELTRANE_PROGRAM_DIR="${VELTRANE_PROGRAM_DIR}")
set_target_properties(bench_presentation PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
add_dependencies(bench_presentation veltrane_installation)
add_dependencies(benchmarks bench_presentation)
