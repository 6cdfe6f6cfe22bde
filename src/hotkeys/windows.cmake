target_sources(jw_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmmin.cpp ${CMAKE_CURRENT_LIST_DIR}/frmmin.h)
