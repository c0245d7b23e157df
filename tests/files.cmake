# Robot files: the file browser's rules (unit) and the browser against the
# virtual robot over a pseudo-terminal (link; gf_link_test comes from link.cmake).

gf_test(tst_robotfiles unit tst_robotfiles.cpp)
target_link_libraries(tst_robotfiles PRIVATE gaitforge_core)

gf_link_test(tst_filebrowser tst_filebrowser.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_filebrowser PRIVATE gaitforge_ui)

# Transfers in the window over a Bluetooth line: whole fetches, the configure
# file, cancel, disconnect, watchdog and closing the window.
gf_link_test(tst_transfercontrol tst_transfercontrol.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_transfercontrol PRIVATE gaitforge_ui)

# The transfer file list's rules (unit), its page in the window with sending
# to the virtual robot (link).
gf_test(tst_transferrows unit tst_transferrows.cpp)
target_link_libraries(tst_transferrows PRIVATE gaitforge_core)

gf_link_test(tst_transferlist tst_transferlist.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_transferlist PRIVATE gaitforge_ui)
