// The Windows help engine as a reader sees it: the text of the topic its window shows.
#pragma once

#include <windows.h>

#include <string>

// The text of the topic in the help engine's window, lines ending in "\n"; empty while the
// engine shows none.
std::string ShownHelpText();

// Waits up to `patienceMs` for the shown text to differ from `before` and stay the same for a
// moment; answers the text then (or `before` when nothing changed).
std::string WaitForHelpTextOtherThan(const std::string& before, DWORD patienceMs);

// The first line of a text.
std::string FirstLine(const std::string& text);
