# bench_startup: process start to splash on screen, and to the 15x15 editor on screen.
add_executable(bench_startup ${CMAKE_CURRENT_LIST_DIR}/bench_startup.cpp)
target_link_libraries(bench_startup PRIVATE quarrin_app Qt6::Widgets)
