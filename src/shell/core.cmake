target_sources(jw_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/placement.cpp ${CMAKE_CURRENT_LIST_DIR}/placement.h)
