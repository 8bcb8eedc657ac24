// What the title offers the other areas of the game. Other areas include this
// header only; everything else in title/ is its own business.
#pragma once

#include "title/Title.h" // menu
