# Widget tests of the main window (Qt Test, offscreen).
if(TARGET bpd_mainwindow)
    bpd_add_gui_test(tst_resultsgrid SOURCES tst_resultsgrid.cpp LIBS bpd_mainwindow)
    foreach(_t layout inputs grid units stories)
        if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/tst_form1_${_t}.cpp)
            bpd_add_gui_test(tst_form1_${_t} SOURCES tst_form1_${_t}.cpp tst_form1_support.h
                             LIBS bpd_mainwindow)
        endif()
    endforeach()
endif()
