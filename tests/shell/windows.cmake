# The pad's own rules without a window: placement arithmetic, page list, formatting display.
add_executable(shell_core_tests pagelist_tests.cpp)
target_link_libraries(shell_core_tests PRIVATE jw_base jw_editing jw_pages GTest::gtest GTest::gtest_main)
gtest_discover_tests(shell_core_tests DISCOVERY_TIMEOUT 60)

# The main window, the mini window and the splash under the offscreen platform.
add_executable(window_tests frmmain_tests.cpp miniwindow_tests.cpp)
target_link_libraries(window_tests PRIVATE jw_windows jw_qtest_main)
gtest_discover_tests(window_tests
  DISCOVERY_MODE PRE_TEST
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120
  DISCOVERY_TIMEOUT 60)

# The real program on a real X server.
add_test(NAME x11_start COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/x11_start.sh $<TARGET_FILE:jotwell>)
set_tests_properties(x11_start PROPERTIES LABELS x11 TIMEOUT 60)
add_test(NAME x11_miniwindow COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/x11_miniwindow.sh $<TARGET_FILE:jotwell>)
set_tests_properties(x11_miniwindow PROPERTIES LABELS x11 TIMEOUT 90)
