# The preview against the wall clock in the real window (3D view redrawing,
# optionally a busy thread), and the music's skew from the preview clock.
# Needs a display and takes minutes: xvfb-run -a bench/gaitforge-bench-preview
add_executable(gaitforge-bench-preview preview_bench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.cpp ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.h)
target_include_directories(gaitforge-bench-preview PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-preview PRIVATE gaitforge_ui benchmark::benchmark Qt5::Test)
