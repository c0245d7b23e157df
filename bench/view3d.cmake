# The 3D view: loading and uploading the 54 part meshes, and one frame of the
# full robot at 1366 x 725 (paintGL plus glFinish, so the GL work is counted).
# Needs a display: xvfb-run -a bench/gaitforge-bench-view3d
add_executable(gaitforge-bench-view3d view3d_bench.cpp)
target_include_directories(gaitforge-bench-view3d PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(gaitforge-bench-view3d PRIVATE gaitforge_ui benchmark::benchmark)
