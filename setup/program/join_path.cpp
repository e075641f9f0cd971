// JoinPath and DeleteTempFile: a file name in a directory, and the removal of a temporary copy.
#include <cstring>

#include "setup/program/copy_files.h"

void JoinPath(char* out, int size, LPCSTR directory, LPCSTR name) {
    lstrcpynA(out, directory, size);
    size_t length = std::strlen(out);
    if ((length == 0 || out[length - 1] != '\\') && int(length) + 1 < size) {
        out[length++] = '\\';
        out[length] = '\0';
    }
    lstrcpynA(out + length, name, size - int(length));
}

void DeleteTempFile(LPCSTR directory, LPCSTR name) {
    char path[2 * MAX_PATH];
    JoinPath(path, sizeof path, directory, name);
    OFSTRUCT file{};
    file.cBytes = sizeof file;
    OpenFile(path, &file, OF_DELETE);
}
