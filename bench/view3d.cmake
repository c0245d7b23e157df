# The 3D view: loading and uploading the 54 part meshes, and one frame of the
# full robot at 1366 x 725 (paintGL plus glFinish, so the GL work is counted).
# Needs a display: xvfb-run -a bench/gaitforge-bench-view3d
add_executable(gaitforge-bench-view3d view3d_bench.cpp)
target_include_directories(gaitforge-bench-view3d PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-view3d PRIVATE gaitforge_ui benchmark::benchmark)

# The view in the window: idle CPU, paintGL at two sizes, thumbnails per second
# and memory (a timing program printing min / median / max).
add_executable(gaitforge-bench-view3d-window view3d_window_bench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.cpp ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.h)
target_include_directories(gaitforge-bench-view3d-window PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-view3d-window PRIVATE gaitforge_ui Qt5::Test)

# The program's start beside a trivial Qt window with one GL view, each a
# fresh process: time to the window shown and to the view at rest.
add_executable(gaitforge-bench-start start_bench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.cpp ${CMAKE_SOURCE_DIR}/tests/support/scriptedprompt.h)
target_include_directories(gaitforge-bench-start PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-start PRIVATE gaitforge_ui Qt5::Test)

# The balance check: 1,000 frames, one frame, and the masses read from the meshes.
add_executable(gaitforge-bench-balance balance_bench.cpp)
target_include_directories(gaitforge-bench-balance PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-balance PRIVATE gaitforge_core benchmark::benchmark)

# One foot inverse kinematics solve, and one step of a foot drag.
add_executable(gaitforge-bench-footik footik_bench.cpp)
target_link_libraries(gaitforge-bench-footik PRIVATE gaitforge_core benchmark::benchmark)
