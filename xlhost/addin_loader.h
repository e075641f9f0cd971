// Loads an add-in module the way Excel does: LoadLibraryA on Windows, dlopen plus DllMain elsewhere.
#pragma once

#include <string>
#include <vector>

namespace xlhost {

struct LoadedAddin {
    void* module = nullptr;
    std::string path;  // full path, as xlGetName reports it
};

// Loads `path` and tells the emulated Excel its full path. On failure `error` says why.
bool LoadAddin(const std::string& path, LoadedAddin* addin, std::string* error);
void UnloadAddin(LoadedAddin* addin);

// The address of an exported entry point, or nullptr.
void* FindExport(const LoadedAddin& addin, const char* name);

// The names the module exports, read from the binary: a DLL's export table, elsewhere the
// module's dynamic symbol table.
std::vector<std::string> ListExports(const LoadedAddin& addin);

// The file `name` in the directory of the running program.
std::string BesideProgram(const std::string& name);

}  // namespace xlhost
