# A map's event area run through the interpreter: the records, their scripts
# and the button presses of the input, on the field tests' world of fakes.
find_package(GTest REQUIRED)
set(EVENT_TESTS ${PROJECT_SOURCE_DIR}/tests)
add_library(velmora_fuzz_event_world STATIC
  ${EVENT_TESTS}/field/event/EventAreaRunner.cpp
  ${EVENT_TESTS}/support/GameWorld.cpp
  ${EVENT_TESTS}/support/fakes/RecordingDevice.cpp
  ${EVENT_TESTS}/support/fakes/MemoryTexture.cpp)
target_include_directories(velmora_fuzz_event_world PUBLIC
  ${EVENT_TESTS}/support ${EVENT_TESTS}/field ${EVENT_TESTS}/field/event)
target_link_libraries(velmora_fuzz_event_world PUBLIC
  velmora_game velmora_platform velmora_sampledata_content velmora_eventscript GTest::gtest)
velmora_add_fuzzer(event_area FuzzEventArea.cpp LIBS velmora_fuzz_event_world)
