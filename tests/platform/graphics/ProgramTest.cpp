// Pixel shaders and effects made from program descriptors, drawing through
// the device: what reaches the built-in programs (constants, the two texture
// stages with their coordinate sets, effect parameters) and what is refused.
#include <cstring>
#include <string>

#include "ColourDistance.h"
#include "DeviceFixture.h"

using namespace devicetest;

namespace {

class Programs : public DeviceTest {
protected:
    void UseReplace()
    {
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    }

    Direct3DPixelShader9* MakeShader(const std::string& text)
    {
        Direct3DPixelShader9* shader = nullptr;
        EXPECT_EQ(device->CreatePixelShader(text.data(), text.size(), &shader), D3D_OK) << text;
        return shader;
    }

    D3DXEffect* MakeEffect(const std::string& text)
    {
        D3DXEffect* effect = nullptr;
        EXPECT_EQ(D3DXCreateEffect(device, text.data(), static_cast<std::uint32_t>(text.size()), nullptr, nullptr,
                                   D3DXSHADER_SKIPVALIDATION, nullptr, &effect, nullptr),
                  D3D_OK)
            << text;
        return effect;
    }
};

struct ConstantCase {
    float weight;
    std::uint32_t diffuse;
    std::uint32_t expected;
};

// The game over's darkening reads constant register 0, the texel of stage 0
// and the diffuse colour; without the shader the fixed stages draw again.
TEST_F(Programs, PixelShaderReadsConstantZeroStageZeroAndDiffuse)
{
    Direct3DPixelShader9* shader = MakeShader("# the game over\nprogram game-over\n");
    ASSERT_NE(shader, nullptr);
    Direct3DTexture9* picture = MakeTexture(1, 1, {0xFFC86420u});
    device->SetTexture(0, picture);
    UseReplace();
    const ConstantCase cases[] = {
        {1.0f, 0xFFFFFFFFu, 0xFFC86420u},
        {0.0f, 0xFFFFFFFFu, 0xFF3D3D3Du}, // half the luminance 122.15 of C8 64 20
        {1.0f, 0xFF808080u, 0xFF643210u},
    };
    ASSERT_EQ(device->SetPixelShader(shader), D3D_OK);
    for (const ConstantCase& c : cases) {
        const float constant[4] = {c.weight, c.weight, c.weight, 1.0f};
        ASSERT_EQ(device->SetPixelShaderConstantF(0, constant, 1), D3D_OK);
        DrawStrip(Quad(-0.5f, -0.5f, 0.5f, 0.5f, c.diffuse));
        EXPECT_LE(testsupport::ColourDistance(Pixel(0, 0), c.expected), 1) << c.weight << " " << std::hex << c.diffuse;
    }
    device->SetPixelShader(nullptr);
    DrawStrip(Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(0, 0), 0xFFC86420u);
    const float two[8] = {};
    EXPECT_EQ(device->SetPixelShaderConstantF(31, two, 2), D3DERR_INVALIDCALL);
    device->SetTexture(0, nullptr);
    picture->Release();
    shader->Release();
}

// The banner's cross-fade: stage 1 read through the second coordinate set,
// stage 0 through the first, mixed by constant 0.
TEST_F(Programs, CrossFadeReadsBothStagesThroughTheirOwnCoordinateSets)
{
    Direct3DPixelShader9* shader = MakeShader("program banner-cross-fade\n");
    ASSERT_NE(shader, nullptr);
    // Set 0 reads the left texel of stage 0, set 1 the right texel of stage 1.
    Direct3DTexture9* sharp = MakeTexture(2, 1, {0xFFE0C0A0u, 0xFF000000u});
    Direct3DTexture9* blurred = MakeTexture(2, 1, {0xFFFFFFFFu, 0x80204060u});
    device->SetTexture(0, sharp);
    device->SetTexture(1, blurred);
    device->SetPixelShader(shader);
    UseReplace();
    const std::vector<TwoTextureVertex> strip{{-0.5f, -0.5f, 1, 1, 0xFFFFFFFFu, 0, 0, 0.5f, 0},
                                              {0.5f, -0.5f, 1, 1, 0xFFFFFFFFu, 0.5f, 0, 1, 0},
                                              {-0.5f, 0.5f, 1, 1, 0xFFFFFFFFu, 0, 1, 0.5f, 1},
                                              {0.5f, 0.5f, 1, 1, 0xFFFFFFFFu, 0.5f, 1, 1, 1}};
    const ConstantCase cases[] = {
        {0.0f, 0, 0x80204060u}, // all stage 1
        {1.0f, 0, 0xFFE0C0A0u}, // all stage 0
        {0.5f, 0, 0xC0808080u},
    };
    for (const ConstantCase& c : cases) {
        const float constant[4] = {c.weight, c.weight, c.weight, c.weight};
        device->SetPixelShaderConstantF(0, constant, 1);
        ASSERT_EQ(Draw(D3DPT_TRIANGLESTRIP, strip, FVF_TWO_TEXTURES), D3D_OK);
        EXPECT_LE(testsupport::ColourDistance(Pixel(0, 0), c.expected), 1) << c.weight;
    }
    device->SetPixelShader(nullptr);
    device->SetTexture(0, nullptr);
    device->SetTexture(1, nullptr);
    sharp->Release();
    blurred->Release();
    shader->Release();
}

TEST_F(Programs, DescriptorsThatAreRefused)
{
    const char* shaders[] = {"",
                             "program nosuchprogram",
                             "program game-over\nprogram game-over",
                             "programme game-over",
                             "program game-over extra",
                             "program banner-cut\nparameter g_Texture", // a pixel shader takes no parameters
                             "program game-over\ntechnique TechniqueMain"};
    for (const char* text : shaders) {
        Direct3DPixelShader9* shader = reinterpret_cast<Direct3DPixelShader9*>(1);
        EXPECT_EQ(device->CreatePixelShader(text, std::strlen(text), &shader), D3DERR_INVALIDCALL) << text;
        EXPECT_EQ(shader, nullptr);
    }
    const char* effects[] = {"program banner-cut\nparameter g_Missing",
                             "program banner-blur\nparameter g_f2TextureCutSize", // the cut's, not the blur's
                             "program banner-cut\nparameter g_f2TextureSize 1 2 3 4 5",
                             "program banner-cut\nparameter g_f2TextureSize one",
                             "program banner-cut\nparameter g_Texture 1",
                             "program banner-cut\nparameter g_Texture\nparameter g_Texture",
                             "technique TechniqueMain\nparameter g_Texture"};
    for (const char* text : effects) {
        D3DXEffect* effect = reinterpret_cast<D3DXEffect*>(1);
        EXPECT_EQ(D3DXCreateEffect(device, text, static_cast<std::uint32_t>(std::strlen(text)), nullptr, nullptr,
                                   D3DXSHADER_SKIPVALIDATION, nullptr, &effect, nullptr),
                  D3DERR_INVALIDCALL)
            << text;
        EXPECT_EQ(effect, nullptr);
    }
}

// The banner's mosaic as an effect: its texture and floats by name, the
// descriptor's starting values over the program's, the program's for what
// the descriptor leaves out.
TEST_F(Programs, EffectDrawsWithItsParametersInsideAPass)
{
    D3DXEffect* effect = MakeEffect("program banner-cut\ntechnique TechniqueMain\nparameter g_Texture\n"
                                    "parameter g_f2TextureSize\nparameter g_f2TextureCutSize 2 1\n");
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetTechniqueByName("Other"), nullptr);
    ASSERT_EQ(effect->SetTechnique(effect->GetTechniqueByName("TechniqueMain")), D3D_OK);
    const D3DXHANDLE texture = effect->GetParameterByName(nullptr, "g_Texture");
    const D3DXHANDLE size = effect->GetParameterByName(nullptr, "g_f2TextureSize");
    const D3DXHANDLE cut = effect->GetParameterByName(nullptr, "g_f2TextureCutSize");
    ASSERT_NE(texture, nullptr);
    ASSERT_NE(size, nullptr);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(effect->GetParameterByName(nullptr, "g_f2TextureCutDrawPoint"), nullptr); // not declared
    EXPECT_EQ(effect->SetFloat(texture, 1.0f), D3DERR_INVALIDCALL);                     // not a float
    EXPECT_EQ(effect->SetTexture(size, nullptr), D3DERR_INVALIDCALL);                   // not a texture

    const std::vector<std::uint32_t> texels{0xFF102030u, 0xFF405060u, 0xFF708090u, 0xFFA0B0C0u};
    Direct3DTexture9* image = MakeTexture(4, 1, texels);
    ASSERT_EQ(effect->SetTexture(texture, image), D3D_OK);
    const float imageSize[2] = {4, 1};
    ASSERT_EQ(effect->SetFloatArray(size, imageSize, 2), D3D_OK);
    UseReplace();
    auto drawRow = [&](int y) {
        std::uint32_t passes = 0;
        ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
        EXPECT_EQ(passes, 1u);
        ASSERT_EQ(effect->BeginPass(0), D3D_OK);
        DrawStrip(Quad(-0.5f, y - 0.5f, 3.5f, y + 0.5f, 0xFFFFFFFFu));
        effect->EndPass();
        effect->End();
    };
    drawRow(0); // blocks of two texels from the descriptor's cut size
    const float single[2] = {1, 1};
    ASSERT_EQ(effect->SetFloatArray(cut, single, 2), D3D_OK);
    drawRow(1);                                            // the texture as it is
    DrawStrip(Quad(-0.5f, 1.5f, 3.5f, 2.5f, 0xFF00FF00u)); // after the pass: the fixed stages again
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(Pixel(x, 0), texels[static_cast<std::size_t>(x / 2 * 2)]) << x;
        EXPECT_EQ(Pixel(x, 1), texels[static_cast<std::size_t>(x)]) << x;
        EXPECT_EQ(Pixel(x, 2), 0xFF00FF00u) << x;
    }

    // Reset waits until the effect has been told of the loss.
    device->EndScene();
    plat::SimulateDeviceLoss(device, 0);
    D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
    parameters.Windowed = true;
    EXPECT_EQ(device->Reset(&parameters), D3DERR_INVALIDCALL);
    effect->OnLostDevice();
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    effect->OnResetDevice();
    device->BeginScene();
    effect->Release();
    image->Release();
}

// A render target set as an effect's texture must not keep the device from
// being reset: the effect lets go of it when told of the loss.
TEST_F(Programs, LostEffectLetsGoOfRenderTargets)
{
    D3DXEffect* effect =
        MakeEffect("program banner-blur\ntechnique TechniqueMain\nparameter g_Texture\nparameter g_f2TextureSize\n");
    ASSERT_NE(effect, nullptr);
    Direct3DTexture9* target = nullptr;
    ASSERT_EQ(device->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &target), D3D_OK);
    Direct3DTexture9* managed = MakeTexture(1, 1, {0xFFFFFFFFu});
    ASSERT_EQ(effect->SetTexture(effect->GetParameterByName(nullptr, "g_Texture"), target), D3D_OK);
    EXPECT_EQ(target->Release(), 1u); // the effect holds it now

    device->EndScene();
    plat::SimulateDeviceLoss(device, 0);
    effect->OnLostDevice();
    D3DPRESENT_PARAMETERS parameters{640, 480, D3DFMT_X8R8G8B8};
    parameters.Windowed = true;
    EXPECT_EQ(device->Reset(&parameters), D3D_OK);
    effect->OnResetDevice();

    // A managed texture survives the loss.
    ASSERT_EQ(effect->SetTexture(effect->GetParameterByName(nullptr, "g_Texture"), managed), D3D_OK);
    effect->OnLostDevice();
    effect->OnResetDevice();
    EXPECT_EQ(managed->AddRef(), 3u);
    managed->Release();
    device->BeginScene();
    effect->Release();
    EXPECT_EQ(managed->Release(), 0u);
}

} // namespace
