# bench_clean_fill: clean fill of 15x15, 30x30 and 50x50 grids with the built-in blocked words.
add_executable(bench_clean_fill ${CMAKE_CURRENT_LIST_DIR}/bench_clean_fill.cpp)
target_link_libraries(bench_clean_fill PRIVATE quarrin_check)
target_compile_definitions(bench_clean_fill PRIVATE
    QUARRIN_BENCH_WORDS="${CMAKE_SOURCE_DIR}/../shared/bench")
