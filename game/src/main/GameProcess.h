// The game process from start-up to shutdown: start-up and the four
// singletons, the main loop, the exit path and the final shutdown.
#pragma once

// Starts the game, makes the singletons and runs the main loop; returns the
// exit code once the loop has ended (or start-up failed).
int RunGameToExit();

// The error message box, or the closing fades, then the singletons go.
void ExitPath();

// Writes the settings when start-up completed, then shuts the engine down.
void FinishProcess();

// Start-up and the singletons only: false when either failed.
bool StartGame();
