# The bearing schedule: its model and undo stack without widgets, its window's commands.
bpd_add_gui_test(tst_schedulemodel
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schedulemodel.cpp ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h
    LIBS bpd_schedule bpd_cli bpd_mainwindow)
bpd_add_gui_test(tst_schedulewindow
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schedulewindow.cpp ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h
            ${CMAKE_CURRENT_LIST_DIR}/ScratchFilesystem.h ${_test_services}
    LIBS bpd_schedule)
bpd_add_gui_test(tst_csvtransfer
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_csvtransfer.cpp ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h
            ${CMAKE_CURRENT_LIST_DIR}/ScratchFilesystem.h ${_test_services}
    LIBS bpd_schedule)
# Size Selected: the proposals against bpd-check --size, one undo step, Cancel; the runner.
bpd_add_gui_test(tst_schedulesizing
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schedulesizing.cpp ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h
    LIBS bpd_schedule bpd_cli)
# File > Export > Calculation Package: the PDF read back, Cancel and real write faults.
bpd_add_gui_test(tst_schedulepackage
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schedulepackage.cpp ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h
            ${CMAKE_CURRENT_LIST_DIR}/ScratchFilesystem.h ${_test_services}
    LIBS bpd_schedule)
bpd_add_gui_test(tst_recovery
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_recovery.cpp ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h
            ${CMAKE_CURRENT_LIST_DIR}/ScratchFilesystem.h ${_test_services}
    LIBS bpd_schedule)
bpd_add_gui_test(tst_scheduleopen
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_scheduleopen.cpp ${CMAKE_CURRENT_LIST_DIR}/tst_form1_support.h
            ${CMAKE_CURRENT_LIST_DIR}/ScheduleDocuments.h ${_test_services}
    LIBS bpd_mainwindow)
