// Reads numbered entries out of resource pack files. Only each pack's index
// stays in memory; every load opens the file, seeks and reads one entry.
#pragma once

#include "Zeph.h"

class CFilePackDerived final : public Zeph::CFilePack {
public:
    CFilePackDerived() = default;
    ~CFilePackDerived();

    bool Init(unsigned packCount) override;
    bool OpenPack(const char* path, int pack) override;
    bool LoadTexture(Direct3DTexture9** texture, int pack, int entry) override;
    void ReleaseTexture(Direct3DTexture9* texture) override;
    unsigned char* LoadData(int pack, int entry, int* length, unsigned char* old) override;
    void FreeData(unsigned char* buffer) override;
    void Release() override;

private:
    unsigned packCount_ = 0;
    unsigned openedCount_ = 0;
};
