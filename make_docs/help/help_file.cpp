// Writing MEZURA.HLP: the topics, the internal files that index them, and the container.
#include "help_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "help_container.h"
#include "help_content.h"
#include "help_indexes.h"
#include "topic_file.h"

bool WriteHelpFile(const char* path, std::string* error) {
    std::vector<HelpTopic> topics = BuildHelpTopics();
    std::map<std::string, Bytes> files;
    std::vector<TopicOffset> offsets;
    if (!BuildTopicFile(topics, &files["|TOPIC"], &offsets, error)) return false;
    if (!BuildContextFile(topics, offsets, &files["|CONTEXT"], error)) return false;
    if (!BuildTitleFile(topics, offsets, &files["|TTLBTREE"], error)) return false;
    files["|CTXOMAP"] = BuildContextMapFile(topics, offsets);
    files["|FONT"] = BuildFontFile();
    files["|SYSTEM"] = BuildSystemFile("Mezura Engineering Add-In Help", "Mezura engineering functions for Excel",
                                       offsets.front());
    Bytes image;
    if (!BuildHelpContainer(files, &image)) {
        *error = "the directory of internal files outgrows its page";
        return false;
    }
    FILE* out = std::fopen(path, "wb");
    if (!out) {
        *error = std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(image.data(), 1, image.size(), out) == image.size();
    int writeError = errno;
    if (std::fclose(out) != 0 || !written) {
        *error = std::strerror(written ? errno : writeError);
        std::remove(path);  // no half help file beside the add-in
        return false;
    }
    return true;
}
