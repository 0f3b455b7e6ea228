# Widget tests of the platform layer's own behaviour.
bpd_add_gui_test(tst_focusedbuttonkeys SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_focusedbuttonkeys.cpp
    LIBS bpd_platform)
bpd_add_gui_test(tst_atomicfile SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_atomicfile.cpp
    LIBS bpd_platform)
# The desktop shell over GIO on private desktops: each call of it runs in a probe process of
# its own, as GIO reads the desktop once per process.
add_executable(desktop_shell_probe ${CMAKE_CURRENT_LIST_DIR}/desktop_shell_probe.cpp)
target_link_libraries(desktop_shell_probe PRIVATE bpd_platform bpd_warnings)
bpd_add_gui_test(tst_xdgdesktopshell SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_xdgdesktopshell.cpp
    LIBS Qt6::Core)
target_compile_definitions(tst_xdgdesktopshell
    PRIVATE BPD_DESKTOP_SHELL_PROBE="$<TARGET_FILE:desktop_shell_probe>")
add_dependencies(tst_xdgdesktopshell desktop_shell_probe)
