#include "FilePackDerived.h"

#include <cstdlib>
#include <new>

#include "EngineState.h"
#include "PackIndex.h"
#include "PngImage.h"
#include "TextureUpload.h"
#include "platform/Paths.h"

namespace {

// The largest texture side the device takes.
constexpr std::uint32_t kMaxTextureSide = 4096;

} // namespace

CFilePackDerived::~CFilePackDerived()
{
    engine::PackIndexTable().clear();
    packCount_ = 0;
    openedCount_ = 0;
}

bool CFilePackDerived::Init(unsigned packCount)
{
    try {
        auto& table = engine::PackIndexTable();
        table.clear();
        table.resize(packCount);
    } catch (const std::bad_alloc&) {
        return false;
    }
    packCount_ = packCount;
    openedCount_ = 0;
    return true;
}

bool CFilePackDerived::OpenPack(const char* path, int pack)
{
    if (path == nullptr || pack < 0 || static_cast<unsigned>(pack) >= packCount_)
        return false;
    engine::PackIndexRecord record;
    try {
        if (!engine::ReadPackIndex(plat::ResolvePath(path).string(), record, path))
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    auto& slot = engine::PackIndexTable()[static_cast<std::size_t>(pack)];
    if (!slot.opened)
        ++openedCount_;
    slot = std::move(record);
    return true;
}

bool CFilePackDerived::LoadTexture(Direct3DTexture9** texture, int pack, int entry)
{
    if (texture == nullptr)
        return false;
    *texture = nullptr;
    Direct3DDevice9* device = engine::State().sharedDevice;
    if (device == nullptr)
        return false;
    int length = 0;
    unsigned char* data = LoadData(pack, entry, &length, nullptr);
    if (data == nullptr)
        return false;
    // Only PNG images become textures, of exactly the image's size.
    engine::ArgbImage image;
    const bool decoded = engine::DecodePng(data, static_cast<std::size_t>(length), kMaxTextureSide, image);
    FreeData(data);
    if (!decoded)
        return false;
    return engine::MakeManagedTexture(device, image, texture);
}

void CFilePackDerived::ReleaseTexture(Direct3DTexture9* texture)
{
    if (texture != nullptr)
        texture->Release();
}

unsigned char* CFilePackDerived::LoadData(int pack, int entry, int* length, unsigned char* old)
{
    // The caller may reload into the same variable: the old buffer goes first.
    FreeData(old);
    const engine::PackIndexRecord* record = engine::FindPack(pack);
    if (record == nullptr || !engine::CheckEntryReadable(*record, entry))
        return nullptr;
    const auto e = static_cast<std::size_t>(entry);
    const std::uint32_t words = record->wordLengths[e];
    // A zero-length entry still gets a buffer of its own.
    auto* buffer = static_cast<unsigned char*>(std::malloc(words == 0 ? 4 : static_cast<std::size_t>(words) * 4));
    if (buffer == nullptr)
        return nullptr;
    if (!engine::ReadEntryWords(*record, entry, 0, words, buffer)) {
        std::free(buffer);
        return nullptr;
    }
    if (length != nullptr)
        *length = static_cast<int>(record->byteLengths[e]);
    return buffer;
}

void CFilePackDerived::FreeData(unsigned char* buffer)
{
    std::free(buffer);
}

void CFilePackDerived::Release()
{
    delete this;
}

Zeph::CFilePack* CreateFilePack()
{
    return new (std::nothrow) CFilePackDerived();
}
