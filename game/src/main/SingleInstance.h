// One copy of the game at a time: a lock held on a file in the game's folder
// for as long as the game runs.
#pragma once

// False when another copy holds the lock (or the lock file cannot be made).
bool AcquireSingleInstanceLock();
void ReleaseSingleInstanceLock();
// True when the last attempt found the lock held by another copy.
bool AnotherCopyHoldsTheLock();
