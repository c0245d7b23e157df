# Motion document: operation files, frame table, document commands, the CLI.

gf_test(tst_operationfile unit tst_operationfile.cpp)
target_link_libraries(tst_operationfile PRIVATE gaitforge_core)

# The motion document on its own (no widgets).
gf_test(tst_motiondocumentunit unit tst_motiondocumentunit.cpp)
target_link_libraries(tst_motiondocumentunit PRIVATE gaitforge_core)

gf_test(tst_motiondocument gl tst_motiondocument.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_motiondocument PRIVATE gaitforge_ui)

gf_test(tst_cli unit tst_cli.cpp)
target_link_libraries(tst_cli PRIVATE Qt5::Core)
add_dependencies(tst_cli gaitforge-cli)
set_property(TEST tst_cli APPEND PROPERTY ENVIRONMENT "GAITFORGE_CLI=$<TARGET_FILE:gaitforge-cli>")

# Joint panel, frame list and frame info.
gf_test(tst_frameinfo unit tst_frameinfo.cpp)
target_link_libraries(tst_frameinfo PRIVATE gaitforge_core)

gf_test(tst_jointpanel gl tst_jointpanel.cpp support/view3dsupport.h
  support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_jointpanel PRIVATE gaitforge_ui)

# The joint panel against the virtual robot over a pseudo-terminal.
gf_test(tst_jointpanellink link tst_jointpanellink.cpp support/robotsimprocess.h
  support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_jointpanellink PRIVATE gaitforge_ui)
add_dependencies(tst_jointpanellink gaitforge-robotsim)
set_property(TEST tst_jointpanellink APPEND PROPERTY ENVIRONMENT "GAITFORGE_ROBOTSIM=$<TARGET_FILE:gaitforge-robotsim>")
set_tests_properties(tst_jointpanellink PROPERTIES TIMEOUT 120)

# Frame editing commands: the arithmetic, then the commands in the window.
gf_test(tst_editing unit tst_editing.cpp)
target_link_libraries(tst_editing PRIVATE gaitforge_core)

gf_test(tst_frameediting gl tst_frameediting.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_frameediting PRIVATE gaitforge_ui)

# Angles shown in degrees and times in milliseconds; the stored numbers unchanged.
gf_test(tst_angleunits gl tst_angleunits.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_angleunits PRIVATE gaitforge_ui)

# Joint limits, the mirror partner rule and the autosave file (plain units).
gf_test(tst_protection unit tst_protection.cpp)
target_link_libraries(tst_protection PRIVATE gaitforge_core)

# Posing within the limits, mirrored posing, autosave and recovery in the window.
gf_test(tst_posing gl tst_posing.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_posing PRIVATE gaitforge_ui)

# Easing baked into frames and the curves view's time axis.
gf_test(tst_easing unit tst_easing.cpp)
target_link_libraries(tst_easing PRIVATE gaitforge_core)

# The curves view and the ease command in the window.
gf_test(tst_curvesview gl tst_curvesview.cpp support/windowfixture.h support/operationexample.h
  support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_curvesview PRIVATE gaitforge_ui)
