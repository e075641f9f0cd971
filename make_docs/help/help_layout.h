// The help pages laid out as the help engine's topics: fonts for styles, tab stops for tables.
#pragma once

#include <vector>

#include "help_pages.h"
#include "help_topic.h"

std::vector<HelpTopic> LayOutTopics(const HelpDocument& document);
