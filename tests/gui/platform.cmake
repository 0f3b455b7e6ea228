# Widget tests of the platform layer's own behaviour.
bpd_add_gui_test(tst_focusedbuttonkeys SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_focusedbuttonkeys.cpp
    LIBS bpd_platform)
bpd_add_gui_test(tst_atomicfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_atomicfile.cpp
    LIBS bpd_platform)
