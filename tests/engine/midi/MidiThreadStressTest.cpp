#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "MidiDerived.h"
#include "MidiTestSupport.h"
#include "TempFolder.h"

namespace {

constexpr int kTuneCount = 5;
constexpr int kBrokenTune = kTuneCount; // a file that fails to read
constexpr int kNoTune = -1;

int NoteOfTune(int tune)
{
    return 40 + tune;
}

// Tune k plays only note 40 + k, with a loop point in some and not in others,
// so every note sent tells which tune it came from.
smf::Bytes TuneFile(int tune)
{
    smf::Track track;
    track.Program(0, 0, tune).Controller(0, 0, 7, 90 + tune).Tempo(0, 300000 + 50000 * tune);
    if (tune % 2 == 0)
        track.Controller(0, 0, 111, 0);
    for (int i = 0; i < 4; ++i)
        track.NoteOn(i == 0 ? 0 : 60, 0, NoteOfTune(tune), 80 + i).NoteOff(120, 0, NoteOfTune(tune));
    return smf::File(tune % 2, 480, {track.End(30), smf::Track().Controller(10, 1, 7, 70).End()});
}

// Random calls of every operation from the caller's thread while the player
// and the loaders run: no data race (checked under ThreadSanitizer), no use of
// a replaced song (AddressSanitizer), and no note from a tune that no song
// holds any more.
TEST(MidiThreadStressTest, RandomCallsNeverRaceOrPlayAReplacedSong)
{
    testsupport::TempFolder folder;
    std::vector<std::string> paths;
    for (int tune = 0; tune < kTuneCount; ++tune) {
        paths.push_back((folder / ("tune" + std::to_string(tune) + ".mid")).string());
        smf::Write(paths.back(), TuneFile(tune));
    }
    paths.push_back((folder / "broken.mid").string());
    smf::Write(paths.back(), smf::Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0});
    std::vector<Zeph::BgmTuneDef> tunes;
    for (int tune = 0; tune <= kTuneCount; ++tune)
        tunes.push_back(Zeph::BgmTuneDef{paths[tune].c_str(), 0.5 + 0.1 * (tune % 5), -1, -1, -1,
                                         static_cast<std::uint8_t>(tune % 2),
                                         static_cast<std::uint8_t>(tune % 3 == 0)});

    plat::UseVirtualClock(0);
    std::array<std::atomic<int>, 2> heldTune{kNoTune, kNoTune};
    std::atomic<int> strayNotes{0};
    std::atomic<long> notesHeard{0};
    midi::RecordingMidiOutput* recorder = nullptr;
    auto* midi = new CMidiDerived([&] {
        auto output = std::make_unique<midi::RecordingMidiOutput>();
        output->SetLimit(4096);
        output->SetObserver([&](const midi::RecordedMessage& m) {
            if (!miditest::IsNoteOn(m))
                return;
            ++notesHeard;
            const int tune = m.Data1() - 40;
            if (tune != heldTune[0].load() && tune != heldTune[1].load())
                ++strayNotes;
        });
        recorder = output.get();
        return output;
    });
    ASSERT_TRUE(midi->Init(2, false));

    std::mt19937 random(20240611);
    auto pick = [&](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
    for (int call = 0; call < 600; ++call) {
        const int song = pick(2);
        switch (pick(12)) {
        case 0:
        case 1: {
            const int tune = pick(kTuneCount + 1);
            if (midi->Load(song, &tunes[tune]))
                heldTune[song] = tune == kBrokenTune ? kNoTune : tune;
            break;
        }
        case 2:
            midi->Play(song);
            break;
        case 3:
            midi->Stop(song);
            break;
        case 4:
            midi->Resume(song);
            break;
        case 5:
            midi->Pause(pick(2) == 1);
            break;
        case 6:
            midi->Fade(song, pick(12) - 1, pick(12) - 1, pick(400), pick(2) == 1);
            break;
        case 7:
            midi->ResumeWithFade(song, pick(12) - 1, pick(400), pick(2) == 1);
            break;
        case 8:
            midi->FadeOut(pick(200));
            break;
        case 9:
            midi->SetVolume(pick(4) == 0 ? 0 : pick(11));
            break;
        case 10:
            for (int i = pick(6); i > 0; --i)
                midi->UpdateFade();
            break;
        default:
            (void)midi->IsPlaying(song);
            (void)midi->IsFading();
            break;
        }
        if (pick(4) == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(pick(300)));
    }
    midi->SetVolume(10);
    EXPECT_TRUE(midi->WaitForPlayerIdle() || midi->IsPlaying(0) || midi->IsPlaying(1));
    EXPECT_GT(recorder->Count(), 0u);
    midi->Release();
    plat::UseRealClock();
    EXPECT_EQ(strayNotes.load(), 0);
    EXPECT_GT(notesHeard.load(), 0);
}

} // namespace
