# Search, export and printing.

# The search rule alone: no QApplication.
add_executable(search_tests search_main.cpp search_test.cpp)
target_link_libraries(search_tests PRIVATE jw_options jw_editing Qt6::Core GTest::gtest)
gtest_discover_tests(search_tests DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)

# The search dialog, Find Next, Save As and printing on a started main window.
add_executable(search_window_tests
  searchwindows_fixture.h
  searchdialog_test.cpp
  saveas_test.cpp
  print_test.cpp)
target_link_libraries(search_window_tests PRIVATE jw_options jw_windows jw_qtest_main Qt6::PrintSupport)
gtest_discover_tests(search_window_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
