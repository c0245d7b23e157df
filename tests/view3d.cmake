# Tests of the 3D view: the plain units (STL parsing, scene arithmetic, robot
# tables) and the view on a real GL context (label gl, run under xvfb-run).

gf_test(tst_view3d gl tst_view3d.cpp support/view3dsupport.h)
target_link_libraries(tst_view3d PRIVATE gaitforge_ui)

gf_test(tst_view3dunits unit tst_view3dunits.cpp support/view3dsupport.h)
target_link_libraries(tst_view3dunits PRIVATE gaitforge_ui)

gf_test(tst_view3dwindow gl tst_view3dwindow.cpp support/view3dsupport.h
  support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_view3dwindow PRIVATE gaitforge_ui)

# Pictures of the view against the references in tests/data/view3d-render.
gf_test(tst_view3drender gl tst_view3drender.cpp support/view3dsupport.h)
target_link_libraries(tst_view3drender PRIVATE gaitforge_ui)

# Compact thumbnail icons over a shared backdrop.
gf_test(tst_thumbnails unit tst_thumbnails.cpp)
target_link_libraries(tst_thumbnails PRIVATE gaitforge_ui)

# Masses, centre of mass and support polygon of the posed robot.
gf_test(tst_balance unit tst_balance.cpp)
target_link_libraries(tst_balance PRIVATE gaitforge_core)

# The balance in the window: captions, marks, frame info, the overlay, the masses.
gf_test(tst_balancewindow gl tst_balancewindow.cpp support/view3dsupport.h support/windowfixture.h
  support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_balancewindow PRIVATE gaitforge_ui)

# Foot inverse kinematics: round trips, reach, limits, drags in every tree.
gf_test(tst_footik unit tst_footik.cpp)
target_link_libraries(tst_footik PRIVATE gaitforge_core)

# Moving a foot in the window's 3D view, against the virtual robot too.
gf_test(tst_footikwindow gl tst_footikwindow.cpp support/view3dsupport.h support/windowfixture.h
  support/robotsimprocess.h support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_footikwindow PRIVATE gaitforge_ui)
add_dependencies(tst_footikwindow gaitforge-robotsim)
set_property(TEST tst_footikwindow APPEND PROPERTY ENVIRONMENT "GAITFORGE_ROBOTSIM=$<TARGET_FILE:gaitforge-robotsim>")
