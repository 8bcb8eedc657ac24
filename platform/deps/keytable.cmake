# The key table is also used by the settings program, which links nothing
# else of the platform layer: a small static library of its own.
add_library(velmora_keytable STATIC ${CMAKE_CURRENT_SOURCE_DIR}/keytable/KeyTable.cpp)
set_target_properties(velmora_keytable PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(velmora_keytable PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
target_include_directories(velmora_keytable PRIVATE ${SDL2_INCLUDE_DIRS})
target_link_libraries(velmora_platform PRIVATE velmora_keytable)
