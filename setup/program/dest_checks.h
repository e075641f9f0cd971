// The checks of a chosen destination before anything is created or copied.
#pragma once

// True when the drive of destDir (its first character, then ":\") has the script's
// SpaceNeeded kilobytes free. A drive whose space cannot be read passes.
bool HasFreeSpace();

// True when destDir begins with sourceDir without its backslash (letter case ignored): the
// destination is the distribution directory or lies inside it, or shares its name's start.
bool SourceDestConflict();
