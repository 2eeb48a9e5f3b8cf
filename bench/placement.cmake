add_executable(bench_placement ${CMAKE_CURRENT_LIST_DIR}/bench_placement.cpp)
target_link_libraries(bench_placement PRIVATE quarrin_puzzle)
target_compile_definitions(bench_placement PRIVATE
    QUARRIN_BENCH_WORDS="${CMAKE_SOURCE_DIR}/../shared/bench")
