// Writing a document to disk whole, or not at all.
#include "output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteWholeFile(const char* path, const Bytes& bytes, std::string* error) {
    std::FILE* out = std::fopen(path, "wb");
    if (!out) {
        *error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int writeErrno = errno;
    if (std::fclose(out) != 0 || !written) {
        *error = std::strerror(written ? errno : writeErrno);
        std::remove(path);  // no half document for Setup to copy or open
        return false;
    }
    return true;
}
