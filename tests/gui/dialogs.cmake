# Widget and file tests of the disclaimer, the conditions viewer, the About box with the system
# information program, the help commands with the desktop shell, and the built help documents.
bpd_add_gui_test(tst_welcome SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_welcome.cpp LIBS bpd_dialogs)
bpd_add_gui_test(tst_conditions SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_conditions.cpp LIBS bpd_dialogs)
bpd_add_gui_test(tst_about SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_about.cpp ${_test_services}
    LIBS bpd_dialogs)
add_dependencies(tst_about pelgro-sysinfo)
bpd_add_gui_test(tst_helpdocuments SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_helpdocuments.cpp ${_test_services}
    LIBS bpd_dialogs)
bpd_add_gui_test(tst_sysinfo SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sysinfo.cpp LIBS bpd_sysinfo_summary)
bpd_add_gui_test(tst_helpfiles SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_helpfiles.cpp
    LIBS bpd_guide_examples Qt6::Gui)
target_compile_definitions(tst_helpfiles PRIVATE BPD_HELP_SOURCE_DIR="${PROJECT_SOURCE_DIR}/help/chm"
    BPD_GUIDE_SOURCE="${PROJECT_SOURCE_DIR}/help/guide/DesignGuide.html")
add_dependencies(tst_helpfiles bpd_help_documents)
# The help file's keyword index as the help readers read it (chmlib, python3-chm).
bpd_add_isolated_test(help_index COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/help_index.py
    ${CMAKE_BINARY_DIR}/bin/Help/Pelgro_BPD.chm ${PROJECT_SOURCE_DIR}/help/chm/Pelgro_BPD.hhk)
set_tests_properties(help_index PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 60)
# The disclaimer in front of the real main window.
bpd_add_gui_test(tst_startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_startup.cpp ${_test_services}
    LIBS bpd_dialogs bpd_mainwindow)
