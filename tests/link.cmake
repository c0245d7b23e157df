# Robot link: packets, reader and answers (unit); the link against the virtual
# robot over a pseudo-terminal (link).

gf_test(tst_packet unit tst_packet.cpp)
target_link_libraries(tst_packet PRIVATE gaitforge_core)

# The packet monitor's decoder, the reader's tap and the monitor's rows.
gf_test(tst_framedecoder unit tst_framedecoder.cpp)
target_link_libraries(tst_framedecoder PRIVATE gaitforge_core)

# Link scenarios talk to the virtual robot over a pseudo-terminal.
function(gf_link_test name)
  gf_test(${name} link ${ARGN} support/robotsimprocess.h)
  add_dependencies(${name} gaitforge-robotsim)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "GAITFORGE_ROBOTSIM=$<TARGET_FILE:gaitforge-robotsim>")
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()

gf_link_test(tst_linkthread tst_linkthread.cpp)
target_link_libraries(tst_linkthread PRIVATE gaitforge_link)

# The window-thread facade on its own: typed answers, positions told together, job outcomes.
gf_link_test(tst_robotlink tst_robotlink.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_robotlink PRIVATE gaitforge_link)

foreach(t tst_linkwindow tst_linkwatchdog tst_linkstall tst_packetmonitor)
  gf_link_test(${t} ${t}.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
  target_link_libraries(${t} PRIVATE gaitforge_ui)
endforeach()

# The fault matrix through gaitforge-cli robot (the program's own link) over a
# pseudo-terminal, run as two tests (fetches, sends) to keep each short.
add_executable(tst_linkfaults tst_linkfaults.cpp support/robotsimprocess.h support/quietrobot.h)
target_link_libraries(tst_linkfaults PRIVATE Qt5::Test gaitforge_link)
target_include_directories(tst_linkfaults PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(tst_linkfaults gaitforge-robotsim gaitforge-cli)
add_test(NAME tst_linkfaults_fetch COMMAND tst_linkfaults fetchMatrix bluetoothFetch lossRecurringWithTheFile noSuchFile localWriteFails
  arguments listRemoveRun)
add_test(NAME tst_linkfaults_send COMMAND tst_linkfaults sendMatrix unconfirmedSend lostTransferEnd robotStopsMidSend)
add_test(NAME tst_linkfaults_slowrobot COMMAND tst_linkfaults slowRobotSend lostChunkAnswer)
add_test(NAME tst_linkfaults_stop COMMAND tst_linkfaults interruptedFetch stopSignals)
set_tests_properties(tst_linkfaults_fetch tst_linkfaults_send tst_linkfaults_slowrobot tst_linkfaults_stop PROPERTIES LABELS link TIMEOUT 120 ENVIRONMENT
  "GAITFORGE_ROBOTSIM=$<TARGET_FILE:gaitforge-robotsim>;GAITFORGE_CLI=$<TARGET_FILE:gaitforge-cli>")

# Posing by hand and the bus scan as plain rules.
gf_test(tst_poseunits unit tst_poseunits.cpp)
target_link_libraries(tst_poseunits PRIVATE gaitforge_core)

# The bus scan against the virtual robot: through the link, and through
# gaitforge-cli robot PORT scan.
gf_link_test(tst_busscan tst_busscan.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_busscan PRIVATE gaitforge_link)
add_dependencies(tst_busscan gaitforge-cli)
set_property(TEST tst_busscan APPEND PROPERTY ENVIRONMENT "GAITFORGE_CLI=$<TARGET_FILE:gaitforge-cli>")

# Posing by hand and stop in the window, against the virtual robot.
gf_link_test(tst_posingwindow tst_posingwindow.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_posingwindow PRIVATE gaitforge_ui)
# Live readings: the alarm rules, the CSV and the virtual robot's servo model
# (unit); the sweeps against the virtual robot, alone and through
# gaitforge-cli robot watch (link); the live readings dock in the window (gl).
gf_test(tst_livereadings unit tst_livereadings.cpp ${CMAKE_SOURCE_DIR}/tools/robotsim/servothermal.cpp)
target_link_libraries(tst_livereadings PRIVATE gaitforge_core)
target_include_directories(tst_livereadings PRIVATE ${CMAKE_SOURCE_DIR}/tools)
# Run as three tests (timing, alarms, the command) to keep each short.
add_executable(tst_livesweep tst_livesweep.cpp support/robotsimprocess.h support/scriptedprompt.cpp
  support/scriptedprompt.h)
target_link_libraries(tst_livesweep PRIVATE Qt5::Test gaitforge_link)
target_include_directories(tst_livesweep PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(tst_livesweep gaitforge-robotsim gaitforge-cli)
add_test(NAME tst_livesweep_timing COMMAND tst_livesweep sweepTiming lostLimitAnswersAskedAgain)
add_test(NAME tst_livesweep_alarm COMMAND tst_livesweep hotServoAlarm pausesDuringTransfer givesWayToPages)
add_test(NAME tst_livesweep_cli COMMAND tst_livesweep watchCommand watchSilentRobot)
set_tests_properties(tst_livesweep_timing tst_livesweep_alarm tst_livesweep_cli PROPERTIES LABELS link TIMEOUT 120
  ENVIRONMENT "GAITFORGE_ROBOTSIM=$<TARGET_FILE:gaitforge-robotsim>;GAITFORGE_CLI=$<TARGET_FILE:gaitforge-cli>;QT_QPA_PLATFORM=offscreen")
gf_link_test(tst_livewindow tst_livewindow.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_livewindow PRIVATE gaitforge_ui)
set_tests_properties(tst_livewindow PROPERTIES LABELS gl)
