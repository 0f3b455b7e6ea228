# Widget tests of the main window (Qt Test, offscreen).
bpd_add_gui_test(tst_resultsgrid SOURCES tst_resultsgrid.cpp LIBS bpd_mainwindow)
foreach(_t layout inputs grid units stories)
    bpd_add_gui_test(tst_form1_${_t} SOURCES tst_form1_${_t}.cpp tst_form1_support.h ${_test_services}
                     LIBS bpd_mainwindow)
endforeach()

# The number fields under a real comma locale and the C locale: one executable, run under
# each (tst_form1_locales is de_DE.UTF-8). A locale that is not installed skips, never passes.
bpd_add_gui_test(tst_form1_locales SOURCES tst_form1_locales.cpp tst_form1_support.h ${_test_services}
                 LIBS bpd_mainwindow)
bpd_add_isolated_test(tst_form1_locales_C COMMAND $<TARGET_FILE:tst_form1_locales>)
foreach(_run tst_form1_locales:de_DE.UTF-8 tst_form1_locales_C:C.UTF-8)
    string(REPLACE ":" ";" _run "${_run}")
    list(GET _run 0 _test)
    list(GET _run 1 _locale)
    set_tests_properties(${_test} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=${_locale}"
        SKIP_REGULAR_EXPRESSION "SKIP   : TestForm1Locales::initTestCase"
        LABELS gui TIMEOUT 120)
endforeach()
# What assistive technology reads of every window of the program (AccessibilityAudit.h).
bpd_add_gui_test(tst_accessibility SOURCES tst_accessibility.cpp AccessibilityAudit.h tst_form1_support.h
                 ScheduleDocuments.h ${_test_services} LIBS bpd_mainwindow bpd_schedule)
# The Design menu: the Smallest Passing Pad dialog and the calculation sheet command.
bpd_add_gui_test(tst_padsizing SOURCES tst_padsizing.cpp tst_form1_support.h ${_test_services}
                 LIBS bpd_mainwindow)
bpd_add_gui_test(tst_sheetcommand SOURCES tst_sheetcommand.cpp tst_form1_support.h ScratchFilesystem.h
                 ${_test_services} LIBS bpd_mainwindow)
# The bearing schedule and the main window together: a bearing entered, the inputs taken.
bpd_add_gui_test(tst_schedulelink SOURCES tst_schedulelink.cpp tst_form1_support.h ScheduleDocuments.h
                 ${_test_services} LIBS bpd_mainwindow bpd_schedule)
