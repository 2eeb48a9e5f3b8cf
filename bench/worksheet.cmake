# bench_worksheet: time of the two-page worksheet PDF of a full 30x30 puzzle.
add_executable(bench_worksheet ${CMAKE_CURRENT_LIST_DIR}/bench_worksheet.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_include_directories(bench_worksheet PRIVATE ${CMAKE_SOURCE_DIR}/tests/print)
target_link_libraries(bench_worksheet PRIVATE quarrin_print)
