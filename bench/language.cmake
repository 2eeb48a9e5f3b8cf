# bench_language: a natural and a uniform fill of a 50x50 grid through the letter sampler.
add_executable(bench_language ${CMAKE_CURRENT_LIST_DIR}/bench_language.cpp)
target_link_libraries(bench_language PRIVATE quarrin_language quarrin_puzzle benchmark::benchmark)
