# Robot settings and service: the configure file format (unit) and the
# configure-file page against the virtual robot (link; gf_link_test comes
# from link.cmake).

gf_test(tst_configfile unit tst_configfile.cpp)
target_link_libraries(tst_configfile PRIVATE gaitforge_core)
gf_test(tst_configpacking unit tst_configpacking.cpp)
target_link_libraries(tst_configpacking PRIVATE gaitforge_core)

# ---- Servo service panel: its rules (unit) and the page against the virtual robot (link).
gf_test(tst_servoregisters unit tst_servoregisters.cpp)
target_link_libraries(tst_servoregisters PRIVATE gaitforge_core)

gf_link_test(tst_servopanel tst_servopanel.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_servopanel PRIVATE gaitforge_ui)

gf_link_test(tst_configwindow tst_configwindow.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_configwindow PRIVATE gaitforge_ui)

# Origin frame, calibration, LEDs and IO, key functions against the virtual
# robot, and gaitforge-cli config over the same configure file reader.
gf_link_test(tst_robotsettings tst_robotsettings.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_robotsettings PRIVATE gaitforge_ui)
add_dependencies(tst_robotsettings gaitforge-cli)
set_property(TEST tst_robotsettings APPEND PROPERTY ENVIRONMENT "GAITFORGE_CLI=$<TARGET_FILE:gaitforge-cli>")
