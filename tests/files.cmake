# Robot files: the file browser's rules (unit) and the browser against the
# virtual robot over a pseudo-terminal (link; gf_link_test comes from link.cmake).

gf_test(tst_robotfiles unit tst_robotfiles.cpp)
target_link_libraries(tst_robotfiles PRIVATE gaitforge_core)

gf_link_test(tst_filebrowser tst_filebrowser.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_filebrowser PRIVATE gaitforge_ui)
