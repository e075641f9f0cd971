// Writing MEZURA.HLP: the topics, the internal files that index them, and the container.
#include "help_file.h"

#include <map>

#include "help_container.h"
#include "help_layout.h"
#include "help_indexes.h"
#include "output_file.h"
#include "topic_file.h"

bool WriteHelpFile(const char* path, std::string* error) {
    HelpDocument document = BuildHelpDocument();
    std::vector<HelpTopic> topics = LayOutTopics(document);
    std::map<std::string, Bytes> files;
    std::vector<TopicOffset> offsets;
    if (!BuildTopicFile(topics, &files["|TOPIC"], &offsets, error)) return false;
    if (!BuildContextFile(topics, offsets, &files["|CONTEXT"], error)) return false;
    if (!BuildTitleFile(topics, offsets, &files["|TTLBTREE"], error)) return false;
    files["|CTXOMAP"] = BuildContextMapFile(topics, offsets);
    files["|FONT"] = BuildFontFile();
    files["|SYSTEM"] = BuildSystemFile(document.title, document.copyright, offsets.front());
    Bytes image;
    if (!BuildHelpContainer(files, &image)) {
        *error = "the directory of internal files outgrows its page";
        return false;
    }
    return WriteWholeFile(path, image, error);
}
