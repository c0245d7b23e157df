# Robot link: packets, reader and answers (unit); the link against the virtual
# robot over a pseudo-terminal (link).

gf_test(tst_packet unit tst_packet.cpp)
target_link_libraries(tst_packet PRIVATE gaitforge_core)

# Link scenarios talk to the virtual robot over a pseudo-terminal.
function(gf_link_test name)
  gf_test(${name} link ${ARGN} support/robotsimprocess.h)
  add_dependencies(${name} gaitforge-robotsim)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "GAITFORGE_ROBOTSIM=$<TARGET_FILE:gaitforge-robotsim>")
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()

gf_link_test(tst_linkthread tst_linkthread.cpp)
target_link_libraries(tst_linkthread PRIVATE gaitforge_link)

foreach(t tst_linkwindow tst_linkwatchdog)
  gf_link_test(${t} ${t}.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
  target_link_libraries(${t} PRIVATE gaitforge_ui)
endforeach()
