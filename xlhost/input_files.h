// Checks the files given to the runner before it uses them: they exist, are files, an add-in is built for this host.
#pragma once

#include <string>

namespace xlhost {

// "" when `path` names a readable file; otherwise why not ("no such file", "is a folder...").
std::string FileProblem(const std::string& path);

// "" when `path` is a module this host can load (a Linux shared object for the native host,
// a Windows DLL of the host's own width under Windows); otherwise what it is and which host
// loads it.
std::string ModuleProblem(const std::string& path);

}  // namespace xlhost
