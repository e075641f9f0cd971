// ExpandPath, SetDestDir, HasFreeSpace and SourceDestConflict: a destination the installer can copy into.
#include "setup/program/dest_checks.h"

#include <cstdint>
#include <cstring>

#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"

bool ExpandPath(LPCSTR entry, char* path, int capacity) {
    OFSTRUCT parsed{};
    parsed.cBytes = sizeof parsed;
    if (OpenFile(entry, &parsed, OF_PARSE) == HFILE_ERROR || !parsed.szPathName[0] ||
        int(std::strlen(parsed.szPathName)) > capacity)
        return false;
    std::strcpy(path, parsed.szPathName);
    return true;
}

void SetDestDir(LPCSTR path) {
    lstrcpynA(destDir, path, sizeof destDir);
    size_t length = std::strlen(destDir);
    if (length > 0 && destDir[length - 1] == '\\') destDir[length - 1] = '\0';
}

bool HasFreeSpace() {
    char root[] = "?:\\";
    root[0] = destDir[0];
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    // A drive whose space cannot be read is not known to be too small: the creation of the
    // directory or the copy then reports the real problem with its own message.
    if (!g_setupSyscalls.GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return true;
    // Today's drives overflow 32 bits here.
    uint64_t freeKilobytes = uint64_t(freeClusters) * sectorsPerCluster * bytesPerSector / 1024;
    return freeKilobytes >= g_setupScript.settings.SpaceNeeded;
}

bool SourceDestConflict() {
    size_t n = std::strlen(sourceDir);
    if (n > 0) --n;
    if (std::strlen(destDir) < n) return false;
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, destDir, int(n), sourceDir, int(n)) == CSTR_EQUAL;
}
