// Loads an add-in module the way Excel does: LoadLibraryA on Windows, dlopen plus DllMain elsewhere.
#include "addin_loader.h"

#include "emulated_excel.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
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

// The module's dynamic symbol table stands in for a DLL's export table: the functions it
// defines with C linkage and default visibility (C++ names are mangled, "_Z..."), apart from
// DllMain, which is the loader's and not exported on Windows.
std::vector<std::string> ListExports(const LoadedAddin& addin) {
    std::vector<std::string> names;
    std::ifstream file(addin.path, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    auto within = [&](size_t offset, size_t bytes) { return offset <= image.size() && bytes <= image.size() - offset; };
    if (!within(0, sizeof(ElfW(Ehdr)))) return names;
    auto* header = reinterpret_cast<const ElfW(Ehdr)*>(image.data());
    if (!within(header->e_shoff, size_t(header->e_shnum) * sizeof(ElfW(Shdr)))) return names;
    auto* sections = reinterpret_cast<const ElfW(Shdr)*>(image.data() + header->e_shoff);
    for (size_t s = 0; s < header->e_shnum; ++s) {
        const ElfW(Shdr)& symbols = sections[s];
        if (symbols.sh_type != SHT_DYNSYM || symbols.sh_link >= header->e_shnum) continue;
        const ElfW(Shdr)& strings = sections[symbols.sh_link];
        if (!within(symbols.sh_offset, symbols.sh_size) || !within(strings.sh_offset, strings.sh_size)) break;
        auto* symbol = reinterpret_cast<const ElfW(Sym)*>(image.data() + symbols.sh_offset);
        for (size_t i = 0; i < symbols.sh_size / sizeof(ElfW(Sym)); ++i, ++symbol) {
            bool definedFunction = (symbol->st_info & 0xf) == STT_FUNC && (symbol->st_info >> 4) == STB_GLOBAL &&
                                   symbol->st_shndx != SHN_UNDEF;
            if (!definedFunction || symbol->st_name >= strings.sh_size) continue;
            const char* text = image.data() + strings.sh_offset + symbol->st_name;
            std::string name(text, strnlen(text, strings.sh_size - symbol->st_name));
            if (name.compare(0, 2, "_Z") != 0 && name != "DllMain") names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());  // as a DLL's export table keeps them
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
