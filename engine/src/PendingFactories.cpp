// Factories of the interfaces this build does not implement yet: they are
// exported so the host can bind every name, and answer null ("cannot make").
#include "Zeph.h"

Zeph::CGraphic* CreateGraphic()
{
    return nullptr;
}

Zeph::CKeyInput* CreateKeyInput()
{
    return nullptr;
}

Zeph::CMidi* CreateMidi()
{
    return nullptr;
}

Zeph::COggVorbis* CreateOggVorbis()
{
    return nullptr;
}

Zeph::CSound* CreateSound()
{
    return nullptr;
}

Zeph::CSoundStatic* CreateSoundStatic()
{
    return nullptr;
}

Zeph::CTextTexture* CreateTextTexture()
{
    return nullptr;
}
