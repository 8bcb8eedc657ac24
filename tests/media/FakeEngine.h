// Stand-ins for the engine's error object and pack reader: the error object
// records each report; the pack serves entries from memory and counts what
// it handed out and got back.
#pragma once

#include <cstdarg>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "RecordingDevice.h"
#include "Zeph.h"

namespace visualtest {

struct ErrorReport {
    std::string file;
    int line;
    int code;
    bool operator==(const ErrorReport&) const = default;
};

class RecordingError : public Zeph::CError {
public:
    std::vector<ErrorReport> reports;
    void SetFlags(std::uint8_t*, std::uint8_t*) override {}
    void Error(const char* file, int line, int code, const char*, ...) override
    {
        reports.push_back({file, line, code});
    }
    std::uint8_t IsError() override { return reports.empty() ? 0 : 1; }
    void ShowError() override {}
    void Warning(int, const char*, ...) override {}
    void Release() override {}
};

struct FakeImage {
    std::uint32_t width;
    std::uint32_t height;
    HRESULT levelDescResult = D3D_OK;
};

class FakeFilePack : public Zeph::CFilePack {
public:
    std::map<int, std::string> data; // entries LoadData serves
    std::map<int, FakeImage> images; // entries LoadTexture serves
    int outstandingData = 0;         // LoadData buffers not yet freed
    std::vector<Direct3DTexture9*> releasedTextures;

    bool Init(unsigned) override { return true; }
    bool OpenPack(const char*, int) override { return true; }
    bool LoadTexture(Direct3DTexture9** texture, int pack, int entry) override
    {
        const auto found = images.find(entry);
        if (pack != 0 || found == images.end())
            return false;
        *texture = new FakeTexture(found->second.width, found->second.height, found->second.levelDescResult);
        return true;
    }
    void ReleaseTexture(Direct3DTexture9* texture) override
    {
        releasedTextures.push_back(texture);
        texture->Release();
    }
    unsigned char* LoadData(int pack, int entry, int* length, unsigned char* old) override
    {
        if (old != nullptr)
            FreeData(old);
        const auto found = data.find(entry);
        if (pack != 0 || found == data.end())
            return nullptr;
        auto* buffer = new unsigned char[found->second.size() + 1];
        std::memcpy(buffer, found->second.data(), found->second.size());
        *length = static_cast<int>(found->second.size());
        ++outstandingData;
        return buffer;
    }
    void FreeData(unsigned char* buffer) override
    {
        if (buffer == nullptr)
            return;
        --outstandingData;
        delete[] buffer;
    }
    void Release() override {}
};

} // namespace visualtest
