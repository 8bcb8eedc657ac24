// The party's quads (its status icons are drawn by DrawMemberIcon in
// PartyServices.h).
#pragma once

// The party's quads are drawn with their pixel edges this far up and left.
constexpr float PARTY_QUAD_EDGE_SHIFT = 0.5f;
