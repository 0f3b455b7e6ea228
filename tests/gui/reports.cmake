# Widget and file tests of the project data dialog, the settings routines and the reports.
foreach(_area registry projectdialog textreport spreadsheetreport windowprint)
    bpd_add_gui_test(tst_${_area}
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_${_area}.cpp ${_test_services}
        LIBS bpd_reports)
endforeach()
# The registry test also drives the bpd-registry tool.
target_compile_definitions(tst_registry PRIVATE BPD_REGISTRY_TOOL="$<TARGET_FILE:bpd-registry>")
add_dependencies(tst_registry bpd-registry)
# The window print test runs a print system of its own (PrivateCups.h).
target_link_libraries(tst_windowprint PRIVATE Cups::Cups)
