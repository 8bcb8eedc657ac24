// Message boxes: an SDL message box owned by the game window; with no display
// or in headless mode the text goes to standard error and the call returns as
// if the player had confirmed it.
#pragma once

#include <functional>
#include <string>

struct SDL_Window;

namespace plat {

enum class MessageKind { Error, Warning, Information };

struct MessageBoxRequest {
    std::string text;    // UTF-8
    std::string caption; // UTF-8
    MessageKind kind;
    bool topmost;
};

// Shows the box and returns when the player has closed it.
void ShowMessageBox(SDL_Window* owner, const MessageBoxRequest& request);

// Tests catch boxes instead of showing them; an empty function restores the default.
using MessageBoxSink = std::function<void(SDL_Window* owner, const MessageBoxRequest&)>;
void SetMessageBoxSink(MessageBoxSink sink);

} // namespace plat
