# Music and waveform: the plain rules, and the window with a decoded WAV.

gf_test(tst_musicunits unit tst_musicunits.cpp)
target_link_libraries(tst_musicunits PRIVATE gaitforge_core)

gf_test(tst_musicwindow gl tst_musicwindow.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_musicwindow PRIVATE gaitforge_ui)
set_tests_properties(tst_musicwindow PROPERTIES TIMEOUT 90)

# The beat grid: tracking generated dance music, snapping, the grid file.
gf_test(tst_beats unit tst_beats.cpp support/beatmusic.h)
target_link_libraries(tst_beats PRIVATE gaitforge_core)

gf_test(tst_beatwindow gl tst_beatwindow.cpp support/beatmusic.h support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_beatwindow PRIVATE gaitforge_ui)
set_tests_properties(tst_beatwindow PROPERTIES TIMEOUT 120)
