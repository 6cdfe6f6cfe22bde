target_sources(jw_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmmain.cpp ${CMAKE_CURRENT_LIST_DIR}/frmmain.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogplacement.cpp ${CMAKE_CURRENT_LIST_DIR}/dialogplacement.h)
