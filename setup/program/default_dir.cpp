// ReadDefaultDir: the destination offered in WELCOME.
#include <algorithm>
#include <cstring>

#include "setup/program/directories.h"
#include "setup/program/setup_state.h"
#include "setup/program/setup_syscalls.h"
#include "setup/script/setup_script.h"

void ReadDefaultDir() {
    g_setupSyscalls.GetProfileStringA("CORVANE", "Install", "", destDir, sizeof destDir);
    if (destDir[0]) return;
    // A base and DefDir longer than destDir holds are cut: the user sees the result in WELCOME.
    const char* slash = std::strrchr(excelCommand, '\\');
    if (slash) {
        lstrcpynA(destDir, excelCommand, int(std::min<size_t>(slash - excelCommand + 2, sizeof destDir)));
    } else {
        lstrcpynA(destDir, "C:\\", sizeof destDir);
    }
    size_t used = std::strlen(destDir);
    lstrcpynA(destDir + used, g_setupScript.settings.DefDir, int(sizeof destDir - used));
}
