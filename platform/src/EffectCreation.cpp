#include "platform/Device.h"

HRESULT D3DXCreateEffect(Direct3DDevice9* device, const void* data, std::uint32_t length, const void* macros,
                         void* include, std::uint32_t flags, void* pool, D3DXEffect** effect, void** errors)
{
    if (errors != nullptr)
        *errors = nullptr;
    if (effect == nullptr)
        return D3DERR_INVALIDCALL;
    *effect = nullptr;
    if (device == nullptr || data == nullptr || macros != nullptr || include != nullptr || pool != nullptr)
        return D3DERR_INVALIDCALL;
    return device->CreateEffect(data, length, flags, effect);
}
