# bench_dense: placement on grids of any size, the chemical elements, puzzles per second.
add_executable(bench_dense ${CMAKE_CURRENT_LIST_DIR}/bench_dense.cpp)
target_link_libraries(bench_dense PRIVATE quarrin_puzzle)
target_compile_definitions(bench_dense PRIVATE
    QUARRIN_BENCH_WORDS="${CMAKE_SOURCE_DIR}/../shared/bench"
    QUARRIN_ELEMENTS="${CMAKE_CURRENT_LIST_DIR}/data/elements.txt")
