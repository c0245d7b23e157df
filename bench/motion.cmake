# Motion document: operation file reading and writing, flat form of the table.
add_executable(bench_motion ${CMAKE_CURRENT_SOURCE_DIR}/motion_bench.cpp)
target_link_libraries(bench_motion PRIVATE gaitforge_core benchmark::benchmark)
