#pragma once
// What the program does with the texts it shows (which live in its resources): how a screen
// reader says a control's text, and how a text's blanks are filled in.
#include <initializer_list>
#include <string>

// A control's text as a screen reader says it: "&&" is an ampersand, any other '&' marks the
// mnemonic and goes, and so do trailing dots and a colon ("Top of the &hour:" gives "Top of the
// hour", "Browse..." gives "Browse").
std::string SpokenText(const std::string& text);
// The shortcut a label's mnemonic gives its control ("Alt+h", "Alt+Г": the whole character of a
// label in UTF-8), or "" when it has none.
std::string ShortcutOf(const std::string& label);

// `pattern` with %1 to %9 replaced by `args` (a number with no argument gives nothing) and %% by
// one %: "quiet at %1 (%2)" with {"10:45", "a call"} gives "quiet at 10:45 (a call)". Each
// language puts the blanks where its sentence wants them.
std::string FillIn(const std::string& pattern, std::initializer_list<std::string> args);
