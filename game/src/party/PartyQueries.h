// Where the members are, for the party's own magic and thinking: the queries
// other areas ask too are in PartyServices.h; these work on the members'
// centres alike and skip knocked-out members unless said otherwise.
#pragma once

// The first member up other than `excluded` (-1 excludes nobody).
int FindOtherAliveMember(int excluded);
double DistanceSqToMember(int member, float px, float py);
