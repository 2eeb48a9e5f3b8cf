# bench_document: save and load of a full 50x50 puzzle document.
add_executable(bench_document ${CMAKE_CURRENT_LIST_DIR}/bench_document.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_compile_definitions(bench_document PRIVATE QUARRIN_SHARED_BENCH="${CMAKE_SOURCE_DIR}/../shared/bench")
target_link_libraries(bench_document PRIVATE quarrin_files)
# bench_new_puzzle: New Puzzle... to the document editor on screen.
add_executable(bench_new_puzzle ${CMAKE_CURRENT_LIST_DIR}/bench_new_puzzle.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_link_libraries(bench_new_puzzle PRIVATE quarrin_app Qt6::Widgets)
