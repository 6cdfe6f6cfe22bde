target_sources(jw_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmmain_editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmsearch.cpp ${CMAKE_CURRENT_LIST_DIR}/frmsearch.h)
