# bench_web_page: size and making time of the web page of a full 30x30 puzzle
# (bench/web_load.py times its load in headless Chromium).
add_executable(bench_web_page ${CMAKE_CURRENT_LIST_DIR}/bench_web_page.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_include_directories(bench_web_page PRIVATE ${CMAKE_SOURCE_DIR}/tests/web)
target_link_libraries(bench_web_page PRIVATE quarrin_web quarrin_generate)
