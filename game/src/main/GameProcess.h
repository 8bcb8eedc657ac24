// The game process from start-up to shutdown: start-up and the four
// singletons, the main loop, the exit path and the final shutdown.
#pragma once

// The process's exit status: failure whenever the game ended through a
// reported error or a failed start-up, so scripts and tests see it.
constexpr int kExitClean = 0;
constexpr int kExitFailure = 1;

// Starts the game, makes the singletons and runs the main loop; returns the
// exit status once the loop has ended (or start-up failed).
int RunGameToExit();

// The error message box, or the closing fades, then the singletons go.
void ExitPath();

// Writes the settings when start-up completed, then shuts the engine down.
// Returns the status, a failure once this run wrote Error.log (a settings
// file that could not be written, a warning about bad content), though the
// player was shown nothing.
int FinishProcess(int status);

// Start-up and the singletons only: false when either failed.
bool StartGame();
