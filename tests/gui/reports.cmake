# Widget and file tests of the project data dialog, the settings routines and the reports.
foreach(_area registry projectdialog textreport spreadsheetreport windowprint)
    if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/tst_${_area}.cpp)
        bpd_add_gui_test(tst_${_area}
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_${_area}.cpp ${_test_services}
            LIBS bpd_reports)
    endif()
endforeach()
# The registry test also drives the bpd-registry tool.
if(TARGET tst_registry AND TARGET bpd-registry)
    target_compile_definitions(tst_registry PRIVATE BPD_REGISTRY_TOOL="$<TARGET_FILE:bpd-registry>")
    add_dependencies(tst_registry bpd-registry)
endif()
# The window print test runs a print system of its own (PrivateCups.h).
if(TARGET tst_windowprint)
    target_link_libraries(tst_windowprint PRIVATE Cups::Cups)
endif()
