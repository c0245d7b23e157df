# Motion document: operation files, frame table, document commands, the CLI.

gf_test(tst_operationfile unit tst_operationfile.cpp)
target_link_libraries(tst_operationfile PRIVATE gaitforge_core)

gf_test(tst_motiondocument gl tst_motiondocument.cpp support/scriptedprompt.cpp support/scriptedprompt.h)
target_link_libraries(tst_motiondocument PRIVATE gaitforge_ui)

gf_test(tst_cli unit tst_cli.cpp)
target_link_libraries(tst_cli PRIVATE Qt5::Core)
add_dependencies(tst_cli gaitforge-cli)
set_property(TEST tst_cli APPEND PROPERTY ENVIRONMENT "GAITFORGE_CLI=$<TARGET_FILE:gaitforge-cli>")
