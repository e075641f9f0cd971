// Checks the files given to the runner before it uses them: they exist, are files, an add-in is built for this host.
#include "input_files.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace xlhost {

namespace {

enum class ModuleKind { Linux, Windows32, Windows64, Other };

#if !defined(_WIN32)
constexpr ModuleKind kHostKind = ModuleKind::Linux;
#elif defined(_WIN64)
constexpr ModuleKind kHostKind = ModuleKind::Windows64;
#else
constexpr ModuleKind kHostKind = ModuleKind::Windows32;
#endif

uint32_t LittleEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
    return value;
}

// An ELF file, or a PE image whose machine is i386 or x86-64 (the DOS header's e_lfanew at
// 0x3C points at "PE\0\0", followed by the COFF header's Machine field).
ModuleKind ReadModuleKind(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    unsigned char head[64] = {};
    file.read(reinterpret_cast<char*>(head), sizeof head);
    if (file.gcount() >= 4 && head[0] == 0x7F && head[1] == 'E' && head[2] == 'L' && head[3] == 'F')
        return ModuleKind::Linux;
    if (file.gcount() < 64 || head[0] != 'M' || head[1] != 'Z') return ModuleKind::Other;
    unsigned char pe[6] = {};
    file.clear();
    file.seekg(LittleEndian(head + 0x3C, 4));
    file.read(reinterpret_cast<char*>(pe), sizeof pe);
    if (file.gcount() != sizeof pe || pe[0] != 'P' || pe[1] != 'E' || pe[2] || pe[3]) return ModuleKind::Other;
    switch (LittleEndian(pe + 4, 2)) {
    case 0x14C: return ModuleKind::Windows32;
    case 0x8664: return ModuleKind::Windows64;
    default: return ModuleKind::Other;
    }
}

// Where each kind of add-in is run, as a user of this checkout runs it.
const char* HostFor(ModuleKind kind) {
    switch (kind) {
    case ModuleKind::Linux: return "the native host, build/native/bin/xlhost";
    case ModuleKind::Windows32: return "the 32-bit Windows host under Wine, build/win32/bin/xlhost.exe";
    case ModuleKind::Windows64: return "the 64-bit Windows host under wine64, build/win64/bin/xlhost.exe";
    default: return "";
    }
}

const char* Describe(ModuleKind kind) {
    switch (kind) {
    case ModuleKind::Linux: return "a Linux module";
    case ModuleKind::Windows32: return "a 32-bit Windows module";
    case ModuleKind::Windows64: return "a 64-bit Windows module";
    default: return "";
    }
}

}  // namespace

std::string FileProblem(const std::string& path) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return "no such file";
    if (error) return error.message();
    if (std::filesystem::is_directory(status)) return "is a folder, not a file";
    if (!std::ifstream(path, std::ios::binary)) return "cannot be read";
    return "";
}

std::string ModuleProblem(const std::string& path) {
    ModuleKind kind = ReadModuleKind(path);
    if (kind == kHostKind) return "";
    if (kind == ModuleKind::Other)
        return "is not an add-in module (neither a Windows DLL nor a Linux shared object); "
               "the add-in comes first, then the sheet";
    return std::string("is ") + Describe(kind) + ", which this host cannot load: use " + HostFor(kind);
}

}  // namespace xlhost
