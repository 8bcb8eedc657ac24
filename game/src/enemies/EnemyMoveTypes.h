// Families of action and movement types that statuses and the field edges
// treat alike: the vanishing ones a bound or sealed enemy cannot start, and
// the walks that turn at the edges themselves, which a slipping enemy bounces
// off instead of being stopped.
#pragma once

// Action types 17-20 vanish and reappear.
constexpr bool IsVanishAction(int type)
{
    return type >= 17 && type <= 20;
}

// Movement types that vanish (31-34, 44): seal and bind break them off.
constexpr bool IsInterruptibleMove(int type)
{
    return (type >= 31 && type <= 34) || type == 44;
}

// Movement types whose walk handles the field edges itself.
constexpr bool IsGroupedMoveType(int type)
{
    return (type >= 12 && type <= 17) || (type >= 25 && type <= 27) || (type >= 36 && type <= 38) || type == 46 ||
           type == 47;
}
