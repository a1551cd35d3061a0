#pragma once
// The language CHIMO! speaks: the "Language:" list of the settings window (Windows' language
// first, then each language by its own name), and the profile's choice, "" for Windows'.
#include "controls/NamedControl.h"

#include <string>

class CLanguageList : public CNamedControl {
public:
    // Lists the languages, in the text language, with the choice `stored` chosen (Windows'
    // language for one CHIMO! does not have).
    void Show(const std::string& stored);
    // What to store: "" for Windows' language; the stored choice itself while the list shows
    // it (so that "de" stays "de", and a language of a later CHIMO! is not lost); else the
    // chosen language's name.
    std::string Chosen() const;

private:
    std::string m_stored;
};

// The language of the texts for the choice `stored` on this user's Windows.
LANGID TextLanguageFor(const std::string& stored);
