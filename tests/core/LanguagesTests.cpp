#include "core/Languages.h"

#include <gtest/gtest.h>

namespace {
std::string TagOf(int language) { return language < 0 ? "-" : kLanguages[language].tag; }
} // namespace

// The stored choice first, then Windows' list in its order, each matched by its base language;
// English when nothing matches.
TEST(Languages, TheChoiceThenWindowsListThenEnglish) {
    const struct {
        const char* chosen;
        std::vector<std::string> preferred;
        const char* speaks;
    } rows[] = {
        {"", {"de-AT", "de", "en-US"}, "de-DE"},
        {"", {"sv-SE", "fr-CA", "en-US"}, "fr-FR"}, // past a language it lacks
        {"", {"sv-SE", "fi-FI"}, "en-US"},
        {"", {}, "en-US"},
        {"en-US", {"de-DE"}, "en-US"}, // the choice outranks Windows
        {"de", {"ja-JP"}, "de-DE"},
        {"JA_jp", {"de-DE"}, "ja-JP"}, // any case, either separator
        {"pt-PT", {}, "pt-BR"},
        {"xx-YY", {"ru-RU"}, "ru-RU"}, // one it does not have reads as Windows' language
        {"-", {"it-IT"}, "it-IT"},
        {"", {"zh-TW", "zh-Hans-CN"}, "zh-CN"}, // traditional Chinese is not the one it has
        {"zh-Hant", {"zh-HK", "zh-MO", "nl-BE"}, "nl-NL"},
        {"zh", {}, "zh-CN"},
        {"zh-SG", {}, "zh-CN"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TagOf(ChooseLanguage(row.chosen, row.preferred)), row.speaks)
            << '"' << row.chosen << '"';
}
