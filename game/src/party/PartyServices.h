// What the party offers the other areas of the game. Other areas include this
// header only; everything else in party/ is its own business.
#pragma once

#include "party/BattleOutcome.h"      // battle, enemies
#include "party/CharaShot.h"          // battle, enemies
#include "party/Character.h"          // battle, enemies, field, menu, record
#include "party/Equipment.h"          // menu
#include "party/HitCombo.h"           // battle
#include "party/HitShares.h"          // battle
#include "party/MemberActions.h"      // battle
#include "party/MemberAttacks.h"      // battle
#include "party/MemberHitAngle.h"     // battle
#include "party/MemberIndicators.h"   // battle, enemies
#include "party/MemberThinking.h"     // battle
#include "party/PartyBattle.h"        // battle
#include "party/PartyBattleHelpers.h" // enemies
#include "party/PartyEventServices.h" // field
#include "party/PartyIcon.h"          // battle, menu
#include "party/PartyOptions.h"       // battle, menu
#include "party/PartyQueries.h"       // battle, enemies
#include "party/PartyRecovery.h"      // battle
#include "party/PartyStats.h"         // battle
#include "party/PartyWords.h"         // battle, enemies
#include "party/StatusEffects.h"      // battle, enemies
#include "party/ThirdMember.h"        // battle
