# The image lists and their artwork.
bpd_add_gui_test(tst_imagelist SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_imagelist.cpp LIBS bpd_platform)
