# bench_worksheet: time of the two-page worksheet PDF of a full 30x30 puzzle.
add_executable(bench_worksheet ${CMAKE_CURRENT_LIST_DIR}/bench_worksheet.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_include_directories(bench_worksheet PRIVATE ${CMAKE_SOURCE_DIR}/tests/print)
target_link_libraries(bench_worksheet PRIVATE quarrin_sheet)

# bench_book: a 200-puzzle 15x15 book on 6x9 in with its keys four to a page.
add_executable(bench_book ${CMAKE_CURRENT_LIST_DIR}/bench_book.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_compile_definitions(bench_book PRIVATE QUARRIN_SHARED_BENCH="${CMAKE_SOURCE_DIR}/../shared/bench")
target_link_libraries(bench_book PRIVATE quarrin_sheet quarrin_generate)
