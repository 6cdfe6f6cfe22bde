target_sources(jw_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmsplash.cpp ${CMAKE_CURRENT_LIST_DIR}/frmsplash.h
  ${CMAKE_CURRENT_LIST_DIR}/frmabout.cpp ${CMAKE_CURRENT_LIST_DIR}/frmabout.h
  ${CMAKE_CURRENT_LIST_DIR}/frmhelp.cpp ${CMAKE_CURRENT_LIST_DIR}/frmhelp.h
  ${CMAKE_CURRENT_LIST_DIR}/frmmain_help.cpp)
target_link_libraries(jw_windows PUBLIC jw_registry jw_helpfile)
