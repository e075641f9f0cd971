// ReadDefaultDir: the destination offered in WELCOME.
#include <cstring>

#include "setup/program/directories.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"

void ReadDefaultDir() {
    g_setupSyscalls.GetProfileStringA("CORVANE", "Install", "", destDir, sizeof destDir);
    if (destDir[0]) return;
    // Excel's directory is the base, unless it and DefDir together do not fit: then "C:\", so
    // WELCOME never offers a path cut in the middle of Excel's directory.
    const char* slash = std::strrchr(excelCommand, '\\');
    size_t base = slash ? size_t(slash - excelCommand + 1) : 0;
    const char* defDir = g_setupScript.settings.DefDir;
    if (base > 0 && base + std::strlen(defDir) <= size_t(kDestDirChars)) {
        lstrcpynA(destDir, excelCommand, int(base + 1));
    } else {
        lstrcpynA(destDir, "C:\\", sizeof destDir);
    }
    // A DefDir too long even for "C:\" is cut to destDir's capacity.
    size_t used = std::strlen(destDir);
    lstrcpynA(destDir + used, defDir, int(sizeof destDir - used));
}
