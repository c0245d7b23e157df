# Playback: the preview's stepper (unit), the simulation in the window (gl) and
# its download to the virtual robot (link; gf_link_test comes from link.cmake).
gf_test(tst_playback unit tst_playback.cpp)
target_link_libraries(tst_playback PRIVATE gaitforge_core)

gf_test(tst_playbackwindow gl tst_playbackwindow.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_playbackwindow PRIVATE gaitforge_ui)

gf_link_test(tst_playbacklink tst_playbacklink.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_playbacklink PRIVATE gaitforge_ui)
