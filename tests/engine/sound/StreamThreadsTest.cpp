// Random commands from the host's thread while another thread mixes, as the
// audio callback would: run under ThreadSanitizer (-DVELMORA_TSAN=ON) this
// shows the hand-over between host, workers and mixer to be race-free.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "OggFixture.h"
#include "OggVorbisDerived.h"
#include "OfflineSound.h"
#include "SoundDerived.h"
#include "TempFolder.h"
#include "WavFixture.h"
#include "platform/AudioMixer.h"
#include "platform/Clock.h"
#include "platform/Paths.h"

using testsupport::TempFolder;

namespace {

class MixingThread {
public:
    MixingThread()
        : thread_([this] {
              std::vector<std::int16_t> block(512);
              while (!done_.load()) {
                  plat::AudioMixer::Shared().Mix(block.data(), 256);
                  std::this_thread::yield();
              }
          })
    {
    }
    ~MixingThread()
    {
        done_.store(true);
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};

class StreamThreadsTest : public ::testing::Test {
protected:
    void SetUp() override { offlinesound::Use(folder.path()); }
    void TearDown() override { plat::UseRealClock(); }

    TempFolder folder;
    std::mt19937 random{20240611};
    int Pick(int count) { return static_cast<int>(random() % static_cast<unsigned>(count)); }
};

TEST_F(StreamThreadsTest, RandomCommandsOnStreamedSounds)
{
    std::vector<wavfixture::Bytes> entries = {wavfixture::ConstantPcm16(3000, 9000, 2),
                                              wavfixture::ConstantPcm16(-500, 700, 2),
                                              wavfixture::ConstantPcm16(100, 20000, 2)};
    Zeph::CFilePack* pack = offlinesound::OpenPack(folder.path(), entries);
    ASSERT_NE(pack, nullptr);
    {
        MixingThread mixing;
        Zeph::CSound* sound = CreateSound();
        ASSERT_EQ(sound->Init(2, 0, 4096, 150, false, 2, 44100, 16), Zeph::kResultOk);
        for (int i = 0; i < 3000; ++i) {
            const int channel = Pick(2);
            switch (Pick(10)) {
            case 0:
                sound->Play(channel, Pick(4));
                break;
            case 1:
                sound->Resume(channel);
                break;
            case 2:
                sound->FadeIn(channel);
                break;
            case 3:
                sound->Stop(channel);
                break;
            case 4:
                sound->FadeOut(channel);
                break;
            case 5:
                sound->SetVolume(Pick(11));
                break;
            case 6:
                sound->PauseAll(Pick(2) == 0);
                break;
            case 7:
                sound->FadeOutAll();
                break;
            default:
                sound->UpdateFades();
                break;
            }
            if (Pick(4) == 0)
                std::this_thread::yield();
        }
        sound->Release();
    }
    pack->Release();
}

TEST_F(StreamThreadsTest, RandomCommandsOnOggStreams)
{
    ASSERT_TRUE(oggfixture::WriteTones(folder / "a.ogg", 30000));
    MixingThread mixing;
    COggVorbisDerived* ogg = static_cast<COggVorbisDerived*>(CreateOggVorbis());
    ASSERT_EQ(ogg->Init(2, 8192, false, Pick(2) == 0, 2, 44100), Zeph::kResultOk);
    const Zeph::OggTuneDef plain{"a.ogg", 0.0, 0.0, 0.0, 1.0, 0};
    const Zeph::OggTuneDef looped{"a.ogg", 50.0, 100.0, 500.0, 0.7, 2};
    for (int s = 0; s < 2; ++s) {
        ASSERT_TRUE(ogg->Load(s, &plain, false, false));
        ASSERT_TRUE(ogg->SetVolume(s, 10));
    }
    long volume = 0;
    for (int i = 0; i < 600; ++i) {
        const int s = Pick(2);
        switch (Pick(14)) {
        case 0:
            ogg->Load(s, Pick(2) == 0 ? &plain : &looped, Pick(2) == 0, Pick(2) == 0);
            break;
        case 1:
            ogg->SetLoopCount(s, Pick(3) == 0 ? 0x7FFFFFFF : Pick(3));
            break;
        case 2:
            ogg->Play(s);
            break;
        case 3:
            ogg->Resume(s);
            break;
        case 4:
            ogg->ResumeWithFade(s, Pick(11), static_cast<unsigned>(Pick(200)), Pick(2) == 0);
            break;
        case 5:
            ogg->Fade(s, Pick(11), Pick(11), static_cast<unsigned>(Pick(200)), Pick(2) == 0);
            break;
        case 6:
            ogg->Stop(s);
            break;
        case 7:
            ogg->FadeOut(s, Pick(11), static_cast<unsigned>(Pick(200)), Pick(2) == 0);
            break;
        case 8:
            ogg->SetVolume(s, Pick(11));
            break;
        case 9:
            ogg->Seek(s, Pick(800));
            break;
        case 10:
            ogg->PauseAll(Pick(2) == 0);
            break;
        case 11:
            ogg->GetVolume(s, &volume);
            ogg->GetVolumeLevel(s);
            ogg->GetLengthMs(s);
            ogg->IsPlaying(s);
            break;
        default:
            ogg->UpdateFades();
            break;
        }
    }
    ogg->Release();
}

} // namespace
