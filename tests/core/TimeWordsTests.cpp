#include "core/Languages.h"
#include "core/TimeWords.h"

#include <gtest/gtest.h>

namespace {
int LanguageOf(const char* tag) { return LanguageNamed(tag); }
} // namespace

// Each language at the same moments on a 24-hour clock: the round minutes by their phrase on the
// twelve-hour count (past the hour, then to the next), the others as the clock reads, noon and
// midnight by name; Japanese and Chinese as their clock reads.
TEST(TimeWords, EachLanguageSaysTheTimeAsItsSpeakersDo) {
    const int at[12][2] = {{15, 0},  {15, 5},  {15, 15}, {15, 20}, {15, 30}, {15, 40},
                           {15, 45}, {15, 55}, {15, 59}, {0, 0},   {12, 0},  {12, 15}};
    const struct {
        const char* tag;
        const char* said[12];
    } rows[] = {
        {"en",
         {"three o'clock", "five past three", "quarter past three", "twenty past three",
          "half past three", "twenty to four", "quarter to four", "five to four",
          "fifteen fifty-nine", "midnight", "noon", "quarter past twelve"}},
        {"de",
         {"drei Uhr", "fünf nach drei", "Viertel nach drei", "zwanzig nach drei", "halb vier",
          "zwanzig vor vier", "Viertel vor vier", "fünf vor vier", "fünfzehn Uhr neunundfünfzig",
          "Mitternacht", "Mittag", "Viertel nach zwölf"}},
        {"es",
         {"las tres", "las tres y cinco", "las tres y cuarto", "las tres y veinte",
          "las tres y media", "las cuatro menos veinte", "las cuatro menos cuarto",
          "las cuatro menos cinco", "las quince y cincuenta y nueve", "medianoche", "mediodía",
          "las doce y cuarto"}},
        {"fr",
         {"trois heures", "trois heures cinq", "trois heures et quart", "trois heures vingt",
          "trois heures et demie", "quatre heures moins vingt", "quatre heures moins le quart",
          "quatre heures moins cinq", "quinze heures cinquante-neuf", "minuit", "midi",
          "midi et quart"}},
        {"it",
         {"le tre", "le tre e cinque", "le tre e un quarto", "le tre e venti", "le tre e mezza",
          "le quattro meno venti", "le quattro meno un quarto", "le quattro meno cinque",
          "le quindici e cinquantanove", "mezzanotte", "mezzogiorno", "mezzogiorno e un quarto"}},
        {"nl",
         {"drie uur", "vijf over drie", "kwart over drie", "tien voor half vier", "half vier",
          "tien over half vier", "kwart voor vier", "vijf voor vier", "vijftien uur negenenvijftig",
          "middernacht", "twaalf uur 's middags", "kwart over twaalf"}},
        {"pl",
         {"trzecia", "pięć po trzeciej", "kwadrans po trzeciej", "dwadzieścia po trzeciej",
          "wpół do czwartej", "za dwadzieścia czwarta", "za kwadrans czwarta", "za pięć czwarta",
          "piętnasta pięćdziesiąt dziewięć", "północ", "południe", "kwadrans po dwunastej"}},
        {"pt-BR",
         {"três horas", "três e cinco", "três e quinze", "três e vinte", "três e meia",
          "vinte para as quatro", "quinze para as quatro", "cinco para as quatro",
          "quinze e cinquenta e nove", "meia-noite", "meio-dia", "meio-dia e quinze"}},
        {"ru",
         {"три часа", "пять минут четвёртого", "четверть четвёртого", "двадцать минут четвёртого",
          "половина четвёртого", "без двадцати четыре", "без четверти четыре", "без пяти четыре",
          "пятнадцать пятьдесят девять", "полночь", "полдень", "четверть первого"}},
        {"ja",
         {"15時", "15時5分", "15時15分", "15時20分", "15時半", "15時40分", "15時45分", "15時55分",
          "15時59分", "0時", "正午", "12時15分"}},
        {"zh",
         {"十五点", "十五点零五分", "十五点一刻", "十五点二十分", "十五点半", "十五点四十分",
          "十五点三刻", "十五点五十五分", "十五点五十九分", "零点", "中午十二点",
          "中午十二点一刻"}},
    };
    static_assert(sizeof rows / sizeof rows[0] == 11, "a row for each language");
    for (const auto& row : rows)
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(TimeInWords(LanguageOf(row.tag), at[i][0], at[i][1], false), row.said[i])
                << row.tag << ' ' << at[i][0] << ':' << at[i][1];
}

// Where the clock counts twelve hours, the hours are those of the twelve-hour clock and the
// phrase says the part of the day (but not beside noon, midnight or a name that is one); the
// forms the hour takes after a preposition or in a number.
TEST(TimeWords, ATwelveHourClockSaysThePartOfTheDay) {
    const struct {
        const char* tag;
        int hour, minute;
        bool twelve;
        const char* said;
    } rows[] = {
        {"en", 15, 15, true, "quarter past three in the afternoon"},
        {"en", 9, 7, true, "nine oh seven in the morning"},
        {"en", 23, 45, true, "quarter to twelve at night"},
        {"en", 0, 0, true, "midnight"},
        {"en", 0, 7, false, "zero oh seven"},
        {"de", 15, 15, true, "Viertel nach drei nachmittags"},
        {"de", 1, 25, true, "fünf vor halb zwei nachts"},
        {"de", 13, 0, true, "ein Uhr nachmittags"},
        {"de", 21, 31, false, "einundzwanzig Uhr einunddreißig"},
        {"es", 15, 15, true, "las tres y cuarto de la tarde"},
        {"es", 0, 30, true, "las doce y media de la noche"},
        {"es", 13, 21, false, "las trece y veintiuno"},
        {"fr", 15, 15, true, "trois heures et quart de l'après-midi"},
        {"fr", 11, 45, true, "midi moins le quart"},
        {"fr", 1, 0, true, "une heure du matin"},
        {"fr", 0, 30, true, "minuit et demi"},
        {"fr", 21, 21, false, "vingt et une heures vingt et une"},
        {"it", 13, 28, true, "l'una e ventotto del pomeriggio"},
        {"it", 23, 45, true, "mezzanotte meno un quarto"},
        {"it", 15, 23, false, "le quindici e ventitré"},
        {"nl", 15, 15, true, "kwart over drie 's middags"},
        {"nl", 8, 22, true, "acht uur tweeëntwintig 's ochtends"},
        {"pl", 1, 30, true, "wpół do drugiej w nocy"},
        {"pl", 21, 7, true, "dziewiąta zero siedem wieczorem"},
        {"pl", 21, 7, false, "dwudziesta pierwsza zero siedem"},
        {"pt-BR", 12, 45, true, "quinze para a uma da tarde"},
        {"pt-BR", 11, 40, true, "vinte para o meio-dia"},
        {"pt-BR", 2, 0, true, "duas horas da madrugada"},
        {"pt-BR", 14, 22, false, "catorze e vinte e dois"},
        {"ru", 15, 15, true, "четверть четвёртого дня"},
        {"ru", 0, 45, true, "без четверти час ночи"},
        {"ru", 21, 0, true, "девять часов вечера"},
        {"ru", 5, 0, true, "пять часов утра"},
        {"ru", 9, 7, false, "девять ноль семь"},
        {"ja", 15, 15, true, "午後3時15分"},
        {"ja", 0, 0, true, "午前0時"},
        {"ja", 12, 15, true, "午後0時15分"},
        {"zh", 15, 15, true, "下午三点一刻"},
        {"zh", 0, 0, true, "午夜十二点"},
        {"zh", 2, 30, true, "凌晨两点半"},
        {"zh", 12, 0, true, "中午十二点"},
        // Out of range: English, and the nearest time of day.
        {"sv", 25, 75, false, "twenty-three fifty-nine"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TimeInWords(LanguageOf(row.tag), row.hour, row.minute, row.twelve), row.said)
            << row.tag << ' ' << row.hour << ':' << row.minute << (row.twelve ? " 12h" : " 24h");
}
