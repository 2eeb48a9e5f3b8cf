# bench_export: time of a 30x30 export up to the written .docx file.
add_executable(bench_export ${CMAKE_CURRENT_LIST_DIR}/bench_export.cpp ${CMAKE_CURRENT_LIST_DIR}/run_times.h)
target_link_libraries(bench_export PRIVATE quarrin_export)
