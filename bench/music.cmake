# The waveform of a 5-minute 44.1 kHz MP3 (made at run time from a generated
# WAV with lame, from scripts/deps): decoding into the envelope, the first
# draw of the plot, and the resident memory before and after.
# Run: QT_QPA_PLATFORM=offscreen bench/gaitforge-bench-music
add_executable(gaitforge-bench-music music_bench.cpp)
target_link_libraries(gaitforge-bench-music PRIVATE gaitforge_ui benchmark::benchmark)
target_include_directories(gaitforge-bench-music PRIVATE ${CMAKE_SOURCE_DIR}/tests)

# Finding the beat of a 5-minute song (generated in memory) and fitting its grid.
# Run: bench/gaitforge-bench-beats --benchmark_repetitions=5
add_executable(gaitforge-bench-beats beats_bench.cpp)
target_link_libraries(gaitforge-bench-beats PRIVATE gaitforge_core benchmark::benchmark)
target_include_directories(gaitforge-bench-beats PRIVATE ${CMAKE_SOURCE_DIR}/tests)
