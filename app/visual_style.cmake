# The styled look of the whole application, a library of its own so its GUI test links nothing else.
add_library(tessvane_style STATIC ${CMAKE_CURRENT_LIST_DIR}/visual_style.cpp)
target_link_libraries(tessvane_style PUBLIC Qt6::Widgets tessvane_platform)
