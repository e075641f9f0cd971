// Reads one text value of a file's version resource, from its US English / code page 1252 table.
#include "version_string.h"

namespace {

const char kStringFileInfo[] = "StringFileInfo";
const char kTranslation[] = "040904E4";

// Copies the value out of the version block `info`; `buffer` is written only on success.
int CopyValue(const void* info, const char* name, char* buffer, WORD size) {
    UINT pathSize = UINT(lstrlenA(kStringFileInfo) + lstrlenA(kTranslation) + lstrlenA(name) + 5);
    char* path = static_cast<char*>(GlobalAlloc(GPTR, pathSize));
    if (!path) return -1;
    wsprintfA(path, "\\%s\\%s\\%s", kStringFileInfo, kTranslation, name);

    int result = -1;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(info, path, &value, &length) && value && length != 0) {
        // The stored length counts the terminator, and a value may lack one: copy no further
        // than either, and always end the text inside the buffer.
        const char* text = static_cast<const char*>(value);
        UINT count = 0;
        while (count < length && count + 1 < size && text[count]) ++count;
        CopyMemory(buffer, text, count);
        buffer[count] = 0;
        result = 0;
    }
    GlobalFree(path);
    return result;
}

}  // namespace

int GetVersionString(const char* path, const char* name, char* buffer, WORD size) {
    // Without room for the terminator nothing can be delivered, and the buffer must stay as it was.
    if (!path || !name || !buffer || size == 0) return -1;
    DWORD ignored = 0;
    DWORD infoSize = GetFileVersionInfoSizeA(path, &ignored);
    if (infoSize == 0) return -1;
    void* info = GlobalAlloc(GPTR, infoSize);
    if (!info) return -1;
    int result = -1;
    if (GetFileVersionInfoA(path, 0, infoSize, info)) result = CopyValue(info, name, buffer, size);
    GlobalFree(info);
    return result;
}
