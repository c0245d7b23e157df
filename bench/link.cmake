# Link throughput: request building, frame reading, and file transfer to the
# virtual robot over a pseudo-terminal.
add_executable(bench_link bench_link.cpp)
target_link_libraries(bench_link PRIVATE gaitforge_link benchmark::benchmark)
add_dependencies(bench_link gaitforge-robotsim)
target_compile_definitions(bench_link PRIVATE GAITFORGE_ROBOTSIM="$<TARGET_FILE:gaitforge-robotsim>")
