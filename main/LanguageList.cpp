#include "main/LanguageList.h"

#include "core/Languages.h"
#include "framework/Unicode.h"
#include "platform/Platform.h"
#include "res/resource.h"

void CLanguageList::Show(const std::string& stored) {
    m_stored = stored;
    SendMessage(CB_RESETCONTENT);
    SendMessage(CB_ADDSTRING, 0,
                reinterpret_cast<LPARAM>(WideText(LoadText(IDS_WINDOWS_LANGUAGE)).get()));
    for (int i = 0; i < kLanguageCount; ++i)
        SendMessage(CB_ADDSTRING, 0,
                    reinterpret_cast<LPARAM>(WideText(kLanguages[i].ownName).get()));
    SendMessage(CB_SETCURSEL, static_cast<WPARAM>(LanguageNamed(stored) + 1));
}

std::string CLanguageList::Chosen() const {
    const LRESULT chosen = m_hWnd ? SendMessage(CB_GETCURSEL) : CB_ERR;
    if (chosen < 0 || chosen > kLanguageCount)
        return m_stored;
    const int language = static_cast<int>(chosen) - 1;
    if (LanguageNamed(m_stored) == language)
        return m_stored;
    return language < 0 ? std::string() : kLanguages[language].tag;
}

LANGID TextLanguageFor(const std::string& stored) {
    return kLanguages[ChooseLanguage(stored, Platform().DisplayLanguages())].id;
}
