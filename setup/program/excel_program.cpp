// IdentifyExcel, ExcelIsRunning and WaitForExcelToClose: the Excel the installer works with.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>

#include "setup/program/excel_addins.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/program/show_message.h"
#include "version_string.h"

namespace {

bool IsFile(LPCSTR path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program file of excelCommand, as CreateProcess reads an unquoted command line.
void FindProgramFile(char* path) {
    path[0] = '\0';
    char candidate[MAX_PATH];
    for (size_t end = 0;; ++end) {
        char c = excelCommand[end];
        if ((c == ' ' || c == '\0') && end > 0 && end < sizeof candidate) {
            lstrcpynA(candidate, excelCommand, int(end + 1));
            if (IsFile(candidate)) {
                lstrcpyA(path, candidate);
                return;
            }
        }
        if (c == '\0') return;
    }
}

// "16.0.4266.1001": the first two numbers. False when the text does not start with a number.
bool ParseVersion(const char* text, unsigned* major, unsigned* minor) {
    char* end = nullptr;
    unsigned long first = std::strtoul(text, &end, 10);
    if (end == text) return false;
    *major = unsigned(first);
    *minor = *end == '.' ? unsigned(std::strtoul(end + 1, nullptr, 10)) : 0;
    return true;
}

// The binary file version of the version resource, for a file whose texts are in another
// language or code page than the one GetVersionString reads.
bool ReadFixedVersion(LPCSTR path, unsigned* major, unsigned* minor) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    void* info = GlobalAlloc(GPTR, size);
    if (!info) return false;
    bool found = false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (GetFileVersionInfoA(path, 0, size, info) &&
        VerQueryValueA(info, "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof *fixed && fixed->dwSignature == 0xFEEF04BD) {
        *major = HIWORD(fixed->dwFileVersionMS);
        *minor = LOWORD(fixed->dwFileVersionMS);
        found = true;
    }
    GlobalFree(info);
    return found;
}

// 32 or 64 from the machine field of the image's COFF header (after "PE\0\0", whose offset
// stands at 0x3C of the MS-DOS header); 0 for another machine or a file that is no image.
int ReadBitness(LPCSTR path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    BYTE dos[0x40] = {};
    BYTE pe[6] = {};
    DWORD read = 0;
    int bits = 0;
    if (ReadFile(file, dos, sizeof dos, &read, nullptr) && read == sizeof dos && dos[0] == 'M' && dos[1] == 'Z') {
        LONG offset = LONG(dos[0x3C] | dos[0x3D] << 8 | dos[0x3E] << 16 | DWORD(dos[0x3F]) << 24);
        if (offset > 0 && SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
            ReadFile(file, pe, sizeof pe, &read, nullptr) && read == sizeof pe && std::memcmp(pe, "PE\0\0", 4) == 0) {
            WORD machine = WORD(pe[4] | pe[5] << 8);
            bits = machine == IMAGE_FILE_MACHINE_I386 ? 32 : machine == IMAGE_FILE_MACHINE_AMD64 ? 64 : 0;
        }
    }
    CloseHandle(file);
    return bits;
}

}  // namespace

void IdentifyExcel(ExcelProgram* excel) {
    *excel = ExcelProgram{};
    FindProgramFile(excel->path);
    if (!excel->path[0]) return;
    char version[50] = "";
    if (GetVersionString(excel->path, "FileVersion", version, sizeof version) != 0 ||
        !ParseVersion(version, &excel->major, &excel->minor))
        ReadFixedVersion(excel->path, &excel->major, &excel->minor);
    excel->bits = ReadBitness(excel->path);
}

bool ExcelIsRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32 process{};
    process.dwSize = sizeof process;
    bool running = false;
    for (BOOL more = g_setupSyscalls.Process32First(snapshot, &process); more && !running;
         more = g_setupSyscalls.Process32Next(snapshot, &process)) {
        // Older systems give the whole path, newer ones the name.
        const char* slash = std::strrchr(process.szExeFile, '\\');
        running = lstrcmpiA(slash ? slash + 1 : process.szExeFile, "EXCEL.EXE") == 0;
    }
    CloseHandle(snapshot);
    return running;
}

bool WaitForExcelToClose(UINT id, LPCSTR argument) {
    while (ExcelIsRunning()) {
        if (ShowMessage(g_instance, nullptr, id, kCaption, MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL,
                        argument) != IDRETRY)
            return false;
    }
    return true;
}
