find_package(benchmark REQUIRED)
add_executable(bench_puzzle ${CMAKE_CURRENT_LIST_DIR}/bench_puzzle.cpp)
target_link_libraries(bench_puzzle PRIVATE quarrin_files benchmark::benchmark)
target_compile_definitions(bench_puzzle PRIVATE
    QUARRIN_BENCH_WORDS="${CMAKE_SOURCE_DIR}/../shared/bench")
