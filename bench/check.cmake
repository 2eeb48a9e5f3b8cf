# bench_check: the puzzle check of a full 30x30 puzzle and Refill to clean.
add_executable(bench_check ${CMAKE_CURRENT_LIST_DIR}/bench_check.cpp)
target_link_libraries(bench_check PRIVATE quarrin_check benchmark::benchmark)
target_compile_definitions(bench_check PRIVATE
    QUARRIN_BENCH_WORDS="${CMAKE_SOURCE_DIR}/../shared/bench")
