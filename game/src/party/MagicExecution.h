// Member 2's magic taking effect at the end of its cast: the stock is paid
// and the magic's shots are made, or the party is healed, cured or revived,
// or an enemy-wide status is put in force.
#pragma once

// False when the id is not a magic, the stock of its kind is short of its
// cost, or its shots cannot be made; nothing is spent then.
bool ExecuteMemberMagic(int magic);
