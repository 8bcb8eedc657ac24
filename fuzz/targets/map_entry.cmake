# A map entry checked, loaded, walked and drawn on the field tests' world of
# fakes (the event area's world, of event_area.cmake, which comes first).
add_library(velmora_fuzz_map_world STATIC ${PROJECT_SOURCE_DIR}/tests/field/MapEntryRunner.cpp)
target_link_libraries(velmora_fuzz_map_world PUBLIC velmora_fuzz_event_world)
velmora_add_fuzzer(map_entry FuzzMapEntry.cpp LIBS velmora_fuzz_map_world)
