# Rules of the page operations: Qt::Core only, no QApplication.
add_executable(pagerules_tests pagerules_tests.cpp)
target_link_libraries(pagerules_tests PRIVATE jw_options jw_pages GTest::gtest)
gtest_discover_tests(pagerules_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)

# Adding, renaming and removing pages through the main window and its dialogs.
add_executable(pageops_tests
  pageops_fixture.h
  addtab_tests.cpp
  renametab_tests.cpp
  removetab_tests.cpp)
target_include_directories(pageops_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(pageops_tests PRIVATE jw_options jw_windows jw_qtest_main)
gtest_discover_tests(pageops_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
