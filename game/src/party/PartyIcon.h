// How the party's quads meet the pixel grid. Its status icons are drawn by
// DrawMemberIcon (PartyServices.h).
#pragma once

// The party's quads are drawn with their pixel edges this far up and left.
constexpr float PARTY_QUAD_EDGE_SHIFT = 0.5f;
