# The calculation sheet read back from its PDF (poppler-utils), and its write under real faults.
bpd_add_gui_test(tst_calcsheet
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_calcsheet.cpp ${CMAKE_CURRENT_LIST_DIR}/ScratchFilesystem.h
    LIBS bpd_calcsheet)
