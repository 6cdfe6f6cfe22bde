target_sources(jw_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/clsdata.cpp ${CMAKE_CURRENT_LIST_DIR}/clsdata.h
  ${CMAKE_CURRENT_LIST_DIR}/frmmain_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmmain_saveas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmaddtab.cpp ${CMAKE_CURRENT_LIST_DIR}/frmaddtab.h
  ${CMAKE_CURRENT_LIST_DIR}/frmrenametab.cpp ${CMAKE_CURRENT_LIST_DIR}/frmrenametab.h
  ${CMAKE_CURRENT_LIST_DIR}/pagedialogs.cpp ${CMAKE_CURRENT_LIST_DIR}/pagedialogs.h)
