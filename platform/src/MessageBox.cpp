#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <mutex>

#include "platform/Headless.h"

namespace plat {
namespace {

std::mutex sinkMutex;
MessageBoxSink sink;

Uint32 SdlFlags(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return SDL_MESSAGEBOX_ERROR;
    case MessageKind::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case MessageKind::Information:
        return SDL_MESSAGEBOX_INFORMATION;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

void WriteToStandardError(const MessageBoxRequest& request)
{
    std::fprintf(stderr, "[%s] %s\n", request.caption.c_str(), request.text.c_str());
    std::fflush(stderr);
}

} // namespace

void SetMessageBoxSink(MessageBoxSink newSink)
{
    std::lock_guard lock(sinkMutex);
    sink = std::move(newSink);
}

void ShowMessageBox(SDL_Window* owner, const MessageBoxRequest& request)
{
    {
        std::lock_guard lock(sinkMutex);
        if (sink) {
            sink(owner, request);
            return;
        }
    }
    if (IsHeadless()) {
        WriteToStandardError(request);
        return;
    }
    // The topmost style has no SDL counterpart; an owned box already stays above its window.
    if (SDL_ShowSimpleMessageBox(SdlFlags(request.kind), request.caption.c_str(), request.text.c_str(), owner) != 0)
        WriteToStandardError(request);
}

} // namespace plat
