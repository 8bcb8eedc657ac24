// A shot's flight: its start (aim, acceleration jitter, spread, target), its
// motion each frame, its timed action and what it does at the field's edge.
// The frame loop of the shot list calls them in that order.
#pragma once

struct EnemyShotNode;

// The frame a shot's age reaches 0.
void StartEnemyShot(EnemyShotNode& node);
// Picks the shot's target member by its target mode.
void ChooseEnemyShotTarget(EnemyShotNode& node);
// Sets VelX/VelY for this frame; true when the shot is spent.
bool ApplyEnemyShotMotion(EnemyShotNode& node, int sinceAction);
// The shot's action; true when the shot is spent.
bool RunEnemyShotAction(EnemyShotNode& node);
// Clamps the shot into the field and applies its edge mode; true removes it.
bool ApplyEnemyShotEdge(EnemyShotNode& node);
