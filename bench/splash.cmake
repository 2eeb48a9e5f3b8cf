# bench_splash: how long the splash's hideAfterWait takes for a wait of 0 and of 300 ms.
add_executable(bench_splash ${CMAKE_CURRENT_LIST_DIR}/bench_splash.cpp)
target_link_libraries(bench_splash PRIVATE quarrin_help Qt6::Widgets)
