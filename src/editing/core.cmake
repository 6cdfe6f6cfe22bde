target_sources(jw_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/formatsync.cpp ${CMAKE_CURRENT_LIST_DIR}/formatsync.h)
target_sources(jw_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/search.cpp ${CMAKE_CURRENT_LIST_DIR}/search.h)
