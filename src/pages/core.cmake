target_sources(jw_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pagelist.cpp ${CMAKE_CURRENT_LIST_DIR}/pagelist.h)
target_sources(jw_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/titlerules.cpp ${CMAKE_CURRENT_LIST_DIR}/titlerules.h
  ${CMAKE_CURRENT_LIST_DIR}/pageops.cpp ${CMAKE_CURRENT_LIST_DIR}/pageops.h)
