// Loads an add-in module the way Excel does: LoadLibraryA on Windows, dlopen plus DllMain elsewhere.
#include "addin_loader.h"

#include "emulated_excel.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <climits>
#include <cstdlib>
#include <unistd.h>
#endif

namespace xlhost {

#ifdef _WIN32

bool LoadAddin(const std::string& path, LoadedAddin* addin, std::string* error) {
    char full[MAX_PATH];
    if (!GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr)) {
        *error = "cannot resolve " + path;
        return false;
    }
    // Excel knows the add-in's path before it opens it: xlGetName works from the first call.
    SetAddinPath(full);
    HMODULE module = LoadLibraryA(full);
    if (!module) {
        *error = "LoadLibraryA failed with error " + std::to_string(GetLastError());
        return false;
    }
    addin->module = module;
    addin->path = full;
    return true;
}

void UnloadAddin(LoadedAddin* addin) {
    if (addin->module) FreeLibrary(static_cast<HMODULE>(addin->module));
    addin->module = nullptr;
}

void* FindExport(const LoadedAddin& addin, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(addin.module), name));
}

std::vector<std::string> ListExports(const LoadedAddin& addin) {
    std::vector<std::string> names;
    auto* base = static_cast<const BYTE*>(addin.module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (!entry.VirtualAddress) return names;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto* nameOffsets = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.push_back(reinterpret_cast<const char*>(base + nameOffsets[i]));
    return names;
}

std::string BesideProgram(const std::string& name) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1) + name;
}

#else

typedef int (*DllMainFunction)(void* instance, unsigned reason, void* reserved);
constexpr unsigned kProcessAttach = 1;
constexpr unsigned kProcessDetach = 0;

bool LoadAddin(const std::string& path, LoadedAddin* addin, std::string* error) {
    char full[PATH_MAX];
    if (!realpath(path.c_str(), full)) {
        *error = "cannot resolve " + path;
        return false;
    }
    SetAddinPath(full);
    void* module = dlopen(full, RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        *error = dlerror();
        return false;
    }
    // The Windows loader calls DllMain on attach; do the same here.
    if (auto attach = reinterpret_cast<DllMainFunction>(dlsym(module, "DllMain")))
        attach(module, kProcessAttach, nullptr);
    addin->module = module;
    addin->path = full;
    return true;
}

void UnloadAddin(LoadedAddin* addin) {
    if (!addin->module) return;
    if (auto detach = reinterpret_cast<DllMainFunction>(dlsym(addin->module, "DllMain")))
        detach(addin->module, kProcessDetach, nullptr);
    dlclose(addin->module);
    addin->module = nullptr;
}

void* FindExport(const LoadedAddin& addin, const char* name) {
    return dlsym(addin.module, name);
}

std::vector<std::string> ListExports(const LoadedAddin& addin) {
    static const char* const kEntryPoints[] = {
        "xlAutoOpen", "xlAutoClose", "xlAutoRegister", "xlAutoAdd", "xlAutoRemove",
        "xlAddInManagerInfo", "xlAutoFree", "CheckInstance", "MezuraHelp",
        "CvtAcceleration", "CvtArea", "CvtDensity", "CvtEnergy", "CvtEnthalpy", "CvtEntropy",
        "CvtLength", "CvtMass", "CvtMassFlow", "CvtPower", "CvtPressure", "CvtTemperature",
        "CvtThermCond", "CvtVelocity", "CvtViscosity", "CvtVolume", "CvtVolumeFlow",
        "VolSphere", "VolVertCyl", "VolVertCylSphCap", "VolHorzCyl", "VolHorzCylCap", "VolTaperedCyl",
    };
    std::vector<std::string> names;
    for (const char* name : kEntryPoints)
        if (FindExport(addin, name)) names.push_back(name);
    return names;
}

std::string BesideProgram(const std::string& name) {
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string program(path, length > 0 ? size_t(length) : 0);
    return program.substr(0, program.find_last_of('/') + 1) + name;
}

#endif

}  // namespace xlhost
