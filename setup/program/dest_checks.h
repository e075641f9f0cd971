// The checks of a chosen destination before anything is created or copied.
#pragma once

#include <windows.h>

// Expands `entry` to a full path with the system's path parser (a relative entry is completed
// from the current drive and directory) into `path`. False when the parser refuses it or the
// path is longer than `capacity` characters.
bool ExpandPath(LPCSTR entry, char* path, int capacity);

// Stores an expanded destination as destDir, without a trailing backslash.
void SetDestDir(LPCSTR path);

// True when the drive of destDir (its first character, then ":\") has the script's
// SpaceNeeded kilobytes free. A drive whose space cannot be read passes.
bool HasFreeSpace();

// True when destDir begins with sourceDir without its backslash (letter case ignored): the
// destination is the distribution directory or lies inside it, or shares its name's start.
bool SourceDestConflict();
