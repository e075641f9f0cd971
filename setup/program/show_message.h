// ShowMessage and the string formatting shared by the installer's dialogs.
#pragma once

#include <windows.h>

#include <cstdarg>

// Caption of every message box but the STATUS window's cancel question.
constexpr char kCaption[] = "Corvane";

// Longest string-table text a message is made from, and longest formatted message.
constexpr int kMessageTemplateChars = 198;
constexpr int kMessageChars = 199;

// Loads string `id` of `instance` (at most kMessageTemplateChars), formats it with the "%s"
// arguments into `out` (at most size - 1 characters, always terminated: a longer text is cut)
// and returns `out`.
char* FormatStringV(HINSTANCE instance, UINT id, char* out, int size, va_list args);
char* FormatString(HINSTANCE instance, UINT id, char* out, int size, ...);

// Shows string `id` formatted with the arguments (at most kMessageChars) in a message box of
// `owner` (or none) with `caption` and `style`; returns the button chosen. The text also goes
// to the log; a silent run shows nothing and answers as a cautious user would (No, Cancel, OK).
int ShowMessage(HINSTANCE instance, HWND owner, UINT id, LPCSTR caption, UINT style, ...);
