#include "fakes/FakeEngineLibrary.h"

#include <algorithm>
#include <vector>

#include <cstdarg>

#include "SampleData.h"
#include "fakes/QuietTextTexture.h"
#include "fakes/FakeKeyInput.h"
#include "Zeph.h"
#include "platform/Device.h"

extern "C" __attribute__((visibility("default"))) FakeEngineControl* FakeZephControl()
{
    static FakeEngineControl control;
    return &control;
}

namespace {

FakeEngineControl& Control()
{
    return *FakeZephControl();
}

bool Call(const char* name)
{
    Control().calls.emplace_back(name);
    return !Control().Fails(name);
}

HRESULT Result(const char* name)
{
    return Call(name) ? D3D_OK : E_FAIL;
}

int TakeResult(std::vector<int>& results)
{
    if (results.empty())
        return D3D_OK;
    int result = results.front();
    results.erase(results.begin());
    return result;
}

class FakeSurface final : public Direct3DSurface9 {
public:
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    HRESULT GetDesc(D3DSURFACE_DESC*) override { return E_FAIL; }
    HRESULT LockRect(D3DLOCKED_RECT*, const RECT*, std::uint32_t) override { return E_FAIL; }
    HRESULT UnlockRect() override { return E_FAIL; }
};

class FakeDevice final : public Direct3DDevice9 {
public:
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    HRESULT TestCooperativeLevel() override
    {
        Call("Device::TestCooperativeLevel");
        return TakeResult(Control().cooperativeResults);
    }
    HRESULT Reset(D3DPRESENT_PARAMETERS*) override { return Result("Device::Reset"); }
    HRESULT Present() override
    {
        Call("Device::Present");
        return TakeResult(Control().presentResults);
    }
    HRESULT GetDeviceCaps(D3DCAPS9* caps) override
    {
        *caps = {D3DPS_VERSION(2, 0), 0, 2048, 2048, 2};
        return D3D_OK;
    }
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override
    {
        *mode = {640, 480, 60, D3DFMT_X8R8G8B8};
        return D3D_OK;
    }
    HRESULT Clear(std::uint32_t, const RECT*, std::uint32_t, std::uint32_t, float, std::uint32_t) override
    {
        return Result("Device::Clear");
    }
    HRESULT BeginScene() override { return Result("Device::BeginScene"); }
    HRESULT EndScene() override { return Result("Device::EndScene"); }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, std::uint32_t* value) override
    {
        *value = 0;
        return D3D_OK;
    }
    HRESULT SetTextureStageState(std::uint32_t, D3DTEXTURESTAGESTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT SetSamplerState(std::uint32_t, D3DSAMPLERSTATETYPE, std::uint32_t) override { return D3D_OK; }
    HRESULT SetFVF(std::uint32_t) override { return D3D_OK; }
    HRESULT SetTexture(std::uint32_t, Direct3DTexture9*) override { return D3D_OK; }
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE, std::uint32_t, const void*, std::uint32_t) override { return D3D_OK; }
    HRESULT CreateTexture(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, D3DFORMAT, D3DPOOL,
                          Direct3DTexture9** texture) override
    {
        *texture = nullptr;
        return E_FAIL;
    }
    HRESULT CreateOffscreenPlainSurface(std::uint32_t, std::uint32_t, D3DFORMAT, D3DPOOL,
                                        Direct3DSurface9** surface) override
    {
        *surface = nullptr;
        return E_FAIL;
    }
    HRESULT CreateDepthStencilSurface(std::uint32_t, std::uint32_t, D3DFORMAT, Direct3DSurface9** surface) override
    {
        *surface = nullptr;
        return E_FAIL;
    }
    HRESULT SetDepthStencilSurface(Direct3DSurface9*) override { return D3D_OK; }
    // The back buffer, which the game keeps for its screen captures.
    HRESULT GetRenderTarget(std::uint32_t, Direct3DSurface9** surface) override
    {
        *surface = &backBuffer_;
        return D3D_OK;
    }
    HRESULT SetRenderTarget(std::uint32_t, Direct3DSurface9*) override { return D3D_OK; }
    HRESULT GetFrontBufferData(std::uint32_t, Direct3DSurface9*) override { return E_FAIL; }
    HRESULT CreatePixelShader(const void*, std::size_t, Direct3DPixelShader9** shader) override
    {
        *shader = nullptr;
        return E_FAIL;
    }
    HRESULT SetPixelShader(Direct3DPixelShader9*) override { return D3D_OK; }
    HRESULT SetPixelShaderConstantF(std::uint32_t, const float*, std::uint32_t) override { return D3D_OK; }
    HRESULT CreateEffect(const void*, std::size_t, std::uint32_t, D3DXEffect** effect) override
    {
        *effect = nullptr;
        return E_FAIL;
    }

private:
    FakeSurface backBuffer_;
};

FakeDevice device;

class FakeError final : public Zeph::CError {
public:
    void SetFlags(std::uint8_t* flag, std::uint8_t*) override
    {
        Call("CError::SetFlags");
        errorFlag_ = flag;
    }
    void Error(const char* file, int line, int code, const char*, ...) override
    {
        Control().calls.push_back("CError::Error " + std::string(file) + " " + std::to_string(line) + " " +
                                  std::to_string(code));
        if (errorFlag_ != nullptr)
            *errorFlag_ = 1;
    }
    std::uint8_t IsError() override { return errorFlag_ != nullptr ? *errorFlag_ : 0; }
    void ShowError() override { Call("CError::ShowError"); }
    void Warning(int, const char*, ...) override { Call("CError::Warning"); }
    void Release() override
    {
        Call("CError::Release");
        delete this;
    }

private:
    std::uint8_t* errorFlag_ = nullptr;
};

class FakeGraphic final : public Zeph::CGraphic {
public:
    Zeph::HResult Init(int, int, int, bool, int, bool) override { return Result("CGraphic::Init"); }
    void GetDevice(Direct3DDevice9** out, Direct3DSprite9** sprite) override
    {
        Call("CGraphic::GetDevice");
        *out = &device;
        if (sprite != nullptr)
            *sprite = nullptr;
    }
    void SaveScreenShot(bool, bool toFile, int, int) override
    {
        Call(toFile ? "CGraphic::SaveScreenShot file" : "CGraphic::SaveScreenShot clipboard");
    }
    Zeph::HResult ChangeScreenMode(int set) override
    {
        return Result(set != 0 ? "CGraphic::ChangeScreenMode window" : "CGraphic::ChangeScreenMode full");
    }
    void Release() override
    {
        Call("CGraphic::Release");
        delete this;
    }
};

class FakeText final : public fakes::QuietTextTexture {
public:
    bool Init(int, int, const char*, int, std::uint32_t, int, int, int, float, std::uint8_t, int, std::uint32_t, int,
              std::uint32_t, bool, int, int, int, float, bool) override
    {
        return Call("CTextTexture::Init");
    }
    bool PrepareCharSets(int) override { return Call("CTextTexture::PrepareCharSets"); }
    bool PrepareString(const char16_t*) override { return Call("CTextTexture::PrepareString"); }
    void Release() override
    {
        Call("CTextTexture::Release");
        delete this;
    }
};

// Every picture the fake pack hands out: one 256 × 256 texture without pixels.
class FakeTexture final : public Direct3DTexture9 {
public:
    std::uint32_t AddRef() override { return 1; }
    std::uint32_t Release() override { return 1; }
    std::uint32_t GetLevelCount() override { return 1; }
    HRESULT GetLevelDesc(std::uint32_t, D3DSURFACE_DESC* desc) override
    {
        *desc = {D3DFMT_A8R8G8B8, D3DRTYPE_TEXTURE, 0, D3DPOOL_MANAGED, 256, 256};
        return D3D_OK;
    }
    HRESULT LockRect(std::uint32_t, D3DLOCKED_RECT*, const RECT*, std::uint32_t) override { return E_FAIL; }
    HRESULT UnlockRect(std::uint32_t) override { return E_FAIL; }
    HRESULT GetSurfaceLevel(std::uint32_t, Direct3DSurface9** surface) override
    {
        *surface = nullptr;
        return E_FAIL;
    }
};

FakeTexture packTexture;

class FakeFilePack final : public Zeph::CFilePack {
public:
    bool Init(unsigned) override { return Call("CFilePack::Init"); }
    bool OpenPack(const char*, int) override { return Call("CFilePack::OpenPack"); }
    bool LoadTexture(Direct3DTexture9** texture, int, int) override
    {
        const bool loaded = !Control().Fails("CFilePack::LoadTexture");
        *texture = loaded ? &packTexture : nullptr;
        return loaded;
    }
    void ReleaseTexture(Direct3DTexture9*) override {}
    // Entries come from the sample data, so the data tables load as in the game.
    unsigned char* LoadData(int, int entry, int* length, unsigned char* old) override
    {
        delete[] old;
        static const std::vector<sampledata::Bytes> entries = sampledata::BuildPackEntries();
        if (entry < 0 || static_cast<std::size_t>(entry) >= entries.size())
            return nullptr;
        const sampledata::Bytes& bytes = entries[static_cast<std::size_t>(entry)];
        auto* buffer = new unsigned char[bytes.size() + 1];
        std::copy(bytes.begin(), bytes.end(), buffer);
        if (length != nullptr)
            *length = static_cast<int>(bytes.size());
        return buffer;
    }
    void FreeData(unsigned char* buffer) override { delete[] buffer; }
    void Release() override
    {
        Call("CFilePack::Release");
        delete this;
    }
};

// The shared fake key input with nothing pressed, its calls in the log.
class FakeKeyInput final : public fakes::FakeKeyInput {
public:
    FakeKeyInput()
    {
        noteCall = [](const std::string& call) { return Call(call.c_str()); };
    }
    void Release() override
    {
        fakes::FakeKeyInput::Release();
        delete this;
    }
};

class FakeMidi final : public Zeph::CMidi {
public:
    bool Init(int, bool) override { return Call("CMidi::Init"); }
    void UpdateFade() override
    {
        if (Control().midiFadeSteps > 0)
            --Control().midiFadeSteps;
    }
    bool Load(int, const Zeph::BgmTuneDef*) override { return Call("CMidi::Load"); }
    void Play(int) override { Call("CMidi::Play"); }
    void Stop(int) override { Call("CMidi::Stop"); }
    void Resume(int) override { Call("CMidi::Resume"); }
    void SetVolume(int) override { Call("CMidi::SetVolume"); }
    void Fade(int, int, int, unsigned, bool) override { Call("CMidi::Fade"); }
    void ResumeWithFade(int, int, unsigned, bool) override { Call("CMidi::ResumeWithFade"); }
    void Pause(bool resume) override { Call(resume ? "CMidi::Pause resume" : "CMidi::Pause pause"); }
    bool IsFading() override { return Control().midiFadeSteps > 0; }
    void FadeOut(unsigned) override { Call("CMidi::FadeOut"); }
    bool IsPlaying(int) override { return false; }
    void Release() override
    {
        Call("CMidi::Release");
        delete this;
    }
};

class FakeSoundStatic final : public Zeph::CSoundStatic {
public:
    Zeph::HResult Init(int, int, unsigned, bool) override { return Result("CSoundStatic::Init"); }
    bool Load(int, int, bool, bool) override { return Call("CSoundStatic::Load"); }
    void UpdateFades() override
    {
        if (Control().soundFadeSteps > 0)
            --Control().soundFadeSteps;
    }
    void Play(int) override {}
    void PlayOnCurrentBuffer(int) override {}
    void FadeIn(int) override {}
    void Stop(int) override {}
    void FadeOut(int) override {}
    void FadeOutAll() override { Call("CSoundStatic::FadeOutAll"); }
    bool SetVolume(int) override { return true; }
    bool GetVolume(int, long* volume) override
    {
        *volume = 0;
        return true;
    }
    bool IsAnyFading() override { return Control().soundFadeSteps > 0; }
    void RestoreBuffers() override { Call("CSoundStatic::RestoreBuffers"); }
    void PauseAll(bool resume) override
    {
        Call(resume ? "CSoundStatic::PauseAll resume" : "CSoundStatic::PauseAll pause");
    }
    void Release() override
    {
        Call("CSoundStatic::Release");
        delete this;
    }
};

template <typename T, typename Interface> Interface* Make(const char* factory)
{
    if (!Call(factory))
        return nullptr;
    return new T();
}

} // namespace

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

FAKE_EXPORT Zeph::CError* CreateError()
{
    return Make<FakeError, Zeph::CError>("CreateError");
}
FAKE_EXPORT Zeph::CFilePack* CreateFilePack()
{
    return Make<FakeFilePack, Zeph::CFilePack>("CreateFilePack");
}
FAKE_EXPORT Zeph::CGraphic* CreateGraphic()
{
    return Make<FakeGraphic, Zeph::CGraphic>("CreateGraphic");
}
FAKE_EXPORT Zeph::CKeyInput* CreateKeyInput()
{
    return Make<FakeKeyInput, Zeph::CKeyInput>("CreateKeyInput");
}
FAKE_EXPORT Zeph::CMidi* CreateMidi()
{
    return Make<FakeMidi, Zeph::CMidi>("CreateMidi");
}
FAKE_EXPORT Zeph::COggVorbis* CreateOggVorbis()
{
    return nullptr;
}
FAKE_EXPORT Zeph::CSound* CreateSound()
{
    return nullptr;
}
FAKE_EXPORT Zeph::CSoundStatic* CreateSoundStatic()
{
    return Make<FakeSoundStatic, Zeph::CSoundStatic>("CreateSoundStatic");
}
FAKE_EXPORT Zeph::CTextTexture* CreateTextTexture()
{
    return Make<FakeText, Zeph::CTextTexture>("CreateTextTexture");
}
FAKE_EXPORT void SetZephAppData(Zeph::WindowHandle, std::uint32_t*, std::uint32_t*, Direct3DTexture9**)
{
    Call("SetZephAppData");
}
