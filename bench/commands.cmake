# bench_commands: each editor command on a full 30x30 puzzle, click to repaint.
add_executable(bench_commands ${CMAKE_CURRENT_LIST_DIR}/bench_commands.cpp)
target_link_libraries(bench_commands PRIVATE quarrin_editor Qt6::Widgets)
