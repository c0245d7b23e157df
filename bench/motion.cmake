# Motion document: operation file reading and writing, flat form of the table.
add_executable(bench_motion ${CMAKE_CURRENT_SOURCE_DIR}/motion_bench.cpp)
target_link_libraries(bench_motion PRIVATE gaitforge_core benchmark::benchmark)

# The window: File > open of 1,000 and 10,000 frames to the frame list painted,
# and the resident memory after such an open.
# Needs a display: xvfb-run -a bench/gaitforge-bench-motion-window
add_executable(gaitforge-bench-motion-window motion_window_bench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.cpp ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.h)
target_include_directories(gaitforge-bench-motion-window PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-motion-window PRIVATE gaitforge_ui benchmark::benchmark Qt5::Test)
