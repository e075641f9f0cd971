// make_docs: writes the distribution's help files and setup workbook from the add-in's tables.
//
//     make_docs --help MEZURA.HLP --chm MEZURA.CHM --workbook install.xls
#include <cstdio>
#include <cstring>
#include <string>

#include "chm/chm_file.h"
#include "help/help_file.h"
#include "workbook/install_workbook.h"

int main(int argc, char** argv) {
    const char* helpPath = nullptr;
    const char* chmPath = nullptr;
    const char* workbookPath = nullptr;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--help") == 0) helpPath = argv[i + 1];
        else if (std::strcmp(argv[i], "--chm") == 0) chmPath = argv[i + 1];
        else if (std::strcmp(argv[i], "--workbook") == 0) workbookPath = argv[i + 1];
        else {
            helpPath = chmPath = workbookPath = nullptr;  // an unknown option: the usage below
            break;
        }
    }
    if ((argc - 1) % 2 != 0 || (!helpPath && !chmPath && !workbookPath)) {
        std::fprintf(stderr, "usage: make_docs [--help FILE.HLP] [--chm FILE.CHM] [--workbook FILE.XLS]\n");
        return 2;
    }
    std::string error;
    if (helpPath && !WriteHelpFile(helpPath, &error)) {
        std::fprintf(stderr, "make_docs: %s: %s\n", helpPath, error.c_str());
        return 1;
    }
    if (chmPath && !WriteChmFile(chmPath, &error)) {
        std::fprintf(stderr, "make_docs: %s: %s\n", chmPath, error.c_str());
        return 1;
    }
    if (workbookPath && !WriteInstallWorkbook(workbookPath, &error)) {
        std::fprintf(stderr, "make_docs: %s: %s\n", workbookPath, error.c_str());
        return 1;
    }
    return 0;
}
