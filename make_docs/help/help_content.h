// The help file's topics: the contents, then one topic per worksheet function.
#pragma once

#include <vector>

#include "help_topic.h"

std::vector<HelpTopic> BuildHelpTopics();
