// The circle test an action may ask for before it starts.
#pragma once

// The game's rule for an action's circle test (0 to 3): 0 tests nothing;
// 1 to 3 let the action start only while no magic circle of kind
// test - 1 is up, so the enemy holds that action back while the party
// casts magic of that colour.
bool PassesCircleTest(int circleTest);
