// Not built yet: the factory is exported so the host can bind every name,
// and answers null ("cannot make").
#include "Zeph.h"

Zeph::COggVorbis* CreateOggVorbis()
{
    return nullptr;
}
