#pragma once
// The language of the texts the program loads from its resources. Each translation is a set of
// resources of its own language: a STRINGTABLE with the program's texts, and with the texts of
// the dialogs' controls and the menus' items by their ids (a dialog's texts from `base` + id, a
// menu's from its commands' ids). The templates themselves are English; any text a translation
// lacks is the English one.
#include <windows.h>

#include <utility>
#include <vector>

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// From now on, LoadText and the functions below read `language`'s texts.
void SetTextLanguage(LANGID language);
LANGID TextLanguage();

// The text of string `id` in `language` exactly, in UTF-16, or nullptr when that language has
// none (or an empty one). `length` receives its length.
const wchar_t* TextInLanguage(UINT id, LANGID language, int* length);

// The text of string `id` in the text language, or the English one where it has none.
const wchar_t* LanguageText(UINT id, int* length);

// The texts a dialog's template gave the windows TranslateControls changed, by window id (0
// the dialog itself): a language without a text of its own gets them back.
using TemplateTexts = std::vector<std::pair<int, std::vector<wchar_t>>>;
// Gives `dialog` its caption from string `base`, and each child its text from `base` + the
// child's id, where the text language has one; the others show the template's text.
void TranslateControls(HWND dialog, UINT base, TemplateTexts& templateTexts);
// Gives each item of `menu` and of its pop-ups its text from the string of its command id.
void TranslateMenu(HMENU menu);
