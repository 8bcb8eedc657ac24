#include "EventAreaRunner.h"

#include "EventFixture.h"
#include "media/PlayBGM.h"

namespace eventfuzz {
using World = fieldtest::FieldWorld;

std::vector<std::uint8_t> EventAreaInput(const std::vector<std::uint8_t>& area, int recordCount)
{
    std::vector<std::uint8_t> input = {
        static_cast<std::uint8_t>(recordCount), static_cast<std::uint8_t>(recordCount >> 8), 4, 1, 1, 1, 1};
    input.insert(input.end(), area.begin(), area.end());
    return input;
}

RunReport RunEventAreaBytes(const std::uint8_t* data, std::size_t size, int framesPerRecord)
{
    RunReport report;
    if (size < 3)
        return report;
    const int recordCount = data[0] | data[1] << 8;
    const std::size_t presses = data[2];
    if (size < 3 + presses)
        return report;
    const std::uint8_t* buttons = data + 3;
    const std::vector<unsigned char> area(data + 3 + presses, data + size);

    World world;
    fieldtest::MeasuringText text;
    CFixedWindowSet windows;
    // Scripts may change or fade the music: a player over a recording MIDI.
    fakes::CallLog midiCalls;
    fakes::RecordingMidi midi{midiCalls};
    CPlayMidi music;
    world.Start();
    ZephTextTexture = &text;
    TheFixedWindowSet = &windows;
    ZephMidi = &midi;
    ThePlayBGM = &music;
    report.entered = world.Enter(fieldtest::MapBlobBuilder(24, 18).Events(area, recordCount), 5, 5, 2);
    CEvent& event = world.parts->event;
    std::size_t press = 0;
    for (int r = 0; report.entered && r < event.RecordCount(); ++r) {
        SceneState = SCENE_FIELD;
        MapSceneState = MAP_SCENE_WALK;
        event.StartEvent(event.Record(r), true);
        ++report.recordsStarted;
        for (int f = 0; f < framesPerRecord && event.IsEventRunning(); ++f) {
            const std::uint8_t held = presses != 0 ? buttons[press++ % presses] : 0;
            world.keys.pushedButtons = held & 1;
            world.keys.heldButtons = held;
            world.soundEffects.CountPlaySEFrame();
            if (SceneState == SCENE_ENCOUNT)
                world.parts->encount.UpdateEncountEffect();
            else if (SceneState == SCENE_EVENT_EFFECT)
                world.parts->screenEffect.UpdateEventScreenEffect();
            else if (SceneState == SCENE_FIELD)
                event.UpdateEvent();
            event.DrawEvent();
            ++report.framesRun;
        }
        event.EndEvent(true);
        event.DrawEventLayer();
    }
    ZephTextTexture = nullptr;
    TheFixedWindowSet = nullptr;
    ThePlayBGM = nullptr;
    ZephMidi = nullptr;
    world.Stop();
    return report;
}

} // namespace eventfuzz
