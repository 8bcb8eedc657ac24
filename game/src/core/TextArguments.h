// Arguments of the engine's text calls that the drawing parts share.
#pragma once

// A length or reveal count no text reaches: the whole text, every character shown.
constexpr int TEXT_WHOLE = 0x7FFFFFFF;
// A width limit no line reaches: a text breaks only at its own line breaks.
constexpr float TEXT_NO_WRAP = 65536.0f;
