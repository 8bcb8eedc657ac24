// What the title offers the other areas of the game. Other areas include this
// header only; everything else in title/ is its own business.
#pragma once

// CTitle, the title's part class: the field menu calls its ReturnToTitle.
#include "title/Title.h"
