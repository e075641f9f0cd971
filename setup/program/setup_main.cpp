// SETUP.EXE's entry point: the distribution directory, then what the command line asks for.
// A silent run (/Q) exits with its outcome; a run with windows exits with 0 whatever happened.
#include <windows.h>

#include <cstring>

#include "setup/program/main_sequence.h"
#include "setup/program/setup_options.h"
#include "setup/program/setup_state.h"

namespace {

// sourceDir: the directory of this program's own file, with its backslash.
void ReadSourceDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = std::strrchr(path, '\\');
    if (slash) slash[1] = '\0';
    // A directory longer than sourceDir holds is cut; the script is then not found (1004).
    lstrcpynA(sourceDir, path, sizeof sourceDir);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_instance = instance;
    ReadSourceDir();
    int outcome = RunSetup(commandLine);
    return g_options.quiet ? outcome : 0;
}
