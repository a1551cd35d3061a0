#include "core/TimeWords.h"

#include "core/Languages.h"

#include <cstring>

namespace {
int Twelve(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// The phrase as it is put together: words appended, never beyond its room.
class Words {
public:
    Words& operator<<(const char* words) {
        while (*words && m_length + 1 < sizeof m_text)
            m_text[m_length++] = *words++;
        m_text[m_length] = '\0';
        return *this;
    }
    // The last character, or 0.
    char Last() const { return m_length ? m_text[m_length - 1] : '\0'; }
    // Takes off the last `count` bytes.
    void Drop(size_t count) { m_text[m_length -= count < m_length ? count : m_length] = '\0'; }
    const char* c_str() const { return m_text; }

private:
    char m_text[160] = "";
    size_t m_length = 0;
};

// A round minute's phrase: the words before and after the hour named, whether that is the next
// hour ("quarter to four"), and the form the language gives the hour there (a case, a gender,
// "o'clock" or not).
struct Phrase {
    const char* before;
    const char* after;
    bool next;
    int form;
};
// How a language says the time: the phrases of :00, :05, ..., :55; the hour named (0-23) in a
// form; the other minutes, as the clock shows them; the part of the day, for the hour of the
// day and the hour named (nullptr where none is said).
struct Speaker {
    Phrase round[12];
    void (*hour)(Words& out, int hour, int form);
    void (*exact)(Words& out, int hour, int minute, bool twelve);
    const char* (*dayPart)(int hour, int named);
};

void Say(Words& out, const Speaker& speaker, int hour, int minute, bool twelve) {
    int named = hour;
    if (minute % 5 == 0) {
        const Phrase& phrase = speaker.round[minute / 5];
        named = (hour + (phrase.next ? 1 : 0)) % 24;
        out << phrase.before;
        speaker.hour(out, named, phrase.form);
        out << phrase.after;
    } else {
        speaker.exact(out, hour, minute, twelve);
    }
    // Noon and midnight by name need no part of the day.
    if (twelve && !(minute == 0 && hour % 12 == 0))
        if (const char* part = speaker.dayPart(hour, named))
            out << " " << part;
}

// A number from 0 to 59 from its words: `ones` to 19, then the tens joined to the unit as
// `Join` does.
void Number(Words& out, int n, const char* const (&ones)[20], const char* const (&tens)[4],
            void (*join)(Words& out, const char* tens, int unit)) {
    if (n < 20)
        out << ones[n];
    else
        join(out, tens[n / 10 - 2], n % 10);
}

// English: "five past three", "twenty-five to four", "three seventeen", "noon".
const char* const kEnOnes[20] = {"zero",    "one",     "two",       "three",    "four",
                                 "five",    "six",     "seven",     "eight",    "nine",
                                 "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                                 "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
const char* const kEnTens[4] = {"twenty", "thirty", "forty", "fifty"};
void EnNumber(Words& out, int n) {
    Number(out, n, kEnOnes, kEnTens, [](Words& o, const char* tens, int unit) {
        o << tens;
        if (unit)
            o << "-" << kEnOnes[unit];
    });
}
const Speaker kEnglish = {
    {{"", "", false, 0},
     {"five past ", "", false, 1},
     {"ten past ", "", false, 1},
     {"quarter past ", "", false, 1},
     {"twenty past ", "", false, 1},
     {"twenty-five past ", "", false, 1},
     {"half past ", "", false, 1},
     {"twenty-five to ", "", true, 1},
     {"twenty to ", "", true, 1},
     {"quarter to ", "", true, 1},
     {"ten to ", "", true, 1},
     {"five to ", "", true, 1}},
    [](Words& out, int hour, int form) {
        if (form == 0 && hour % 12 == 0) {
            out << (hour ? "noon" : "midnight");
            return;
        }
        EnNumber(out, Twelve(hour));
        out << (form == 0 ? " o'clock" : "");
    },
    [](Words& out, int hour, int minute, bool twelve) {
        EnNumber(out, twelve ? Twelve(hour) : hour);
        out << (minute < 10 ? " oh " : " ");
        EnNumber(out, minute);
    },
    [](int hour, int) -> const char* {
        return hour < 12   ? "in the morning"
               : hour < 18 ? "in the afternoon"
               : hour < 21 ? "in the evening"
                           : "at night";
    },
};

// German: "Viertel nach drei", "fünf vor halb vier", "fünfzehn Uhr siebzehn", "Mittag".
const char* const kDeOnes[20] = {"null",     "eins",     "zwei",     "drei",     "vier",
                                 "fünf",     "sechs",    "sieben",   "acht",     "neun",
                                 "zehn",     "elf",      "zwölf",    "dreizehn", "vierzehn",
                                 "fünfzehn", "sechzehn", "siebzehn", "achtzehn", "neunzehn"};
const char* const kDeTens[4] = {"zwanzig", "dreißig", "vierzig", "fünfzig"};
void DeNumber(Words& out, int n) {
    Number(out, n, kDeOnes, kDeTens, [](Words& o, const char* tens, int unit) {
        if (unit)
            o << (unit == 1 ? "ein" : kDeOnes[unit]) << "und";
        o << tens;
    });
}
// "ein Uhr", "drei Uhr".
void DeClock(Words& out, int hour) {
    if (hour == 1)
        out << "ein";
    else
        DeNumber(out, hour);
    out << " Uhr";
}
const Speaker kGerman = {
    {{"", "", false, 0},
     {"fünf nach ", "", false, 1},
     {"zehn nach ", "", false, 1},
     {"Viertel nach ", "", false, 1},
     {"zwanzig nach ", "", false, 1},
     {"fünf vor halb ", "", true, 1},
     {"halb ", "", true, 1},
     {"fünf nach halb ", "", true, 1},
     {"zwanzig vor ", "", true, 1},
     {"Viertel vor ", "", true, 1},
     {"zehn vor ", "", true, 1},
     {"fünf vor ", "", true, 1}},
    [](Words& out, int hour, int form) {
        if (form == 0 && hour % 12 == 0)
            out << (hour ? "Mittag" : "Mitternacht");
        else if (form == 0)
            DeClock(out, Twelve(hour));
        else
            DeNumber(out, Twelve(hour));
    },
    [](Words& out, int hour, int minute, bool twelve) {
        DeClock(out, twelve ? Twelve(hour) : hour);
        out << " ";
        DeNumber(out, minute);
    },
    [](int hour, int) -> const char* {
        return hour < 5    ? "nachts"
               : hour < 10 ? "morgens"
               : hour < 12 ? "vormittags"
               : hour < 18 ? "nachmittags"
               : hour < 22 ? "abends"
                           : "nachts";
    },
};

// Dutch: "kwart over drie", "tien voor half vier", "vijftien uur zeventien", "middernacht".
const char* const kNlOnes[20] = {"nul",      "één",     "twee",      "drie",     "vier",
                                 "vijf",     "zes",     "zeven",     "acht",     "negen",
                                 "tien",     "elf",     "twaalf",    "dertien",  "veertien",
                                 "vijftien", "zestien", "zeventien", "achttien", "negentien"};
const char* const kNlTens[4] = {"twintig", "dertig", "veertig", "vijftig"};
void NlNumber(Words& out, int n) {
    Number(out, n, kNlOnes, kNlTens, [](Words& o, const char* tens, int unit) {
        if (unit) {
            o << (unit == 1 ? "een" : kNlOnes[unit]);
            // "tweeëntwintig": the trema where two e's meet.
            o << (o.Last() == 'e' ? "ën" : "en");
        }
        o << tens;
    });
}
const Speaker kDutch = {
    {{"", "", false, 0},
     {"vijf over ", "", false, 1},
     {"tien over ", "", false, 1},
     {"kwart over ", "", false, 1},
     {"tien voor half ", "", true, 1},
     {"vijf voor half ", "", true, 1},
     {"half ", "", true, 1},
     {"vijf over half ", "", true, 1},
     {"tien over half ", "", true, 1},
     {"kwart voor ", "", true, 1},
     {"tien voor ", "", true, 1},
     {"vijf voor ", "", true, 1}},
    [](Words& out, int hour, int form) {
        if (form == 0 && hour == 0) {
            out << "middernacht";
            return;
        }
        NlNumber(out, Twelve(hour));
        out << (form != 0 ? "" : hour == 12 ? " uur 's middags" : " uur");
    },
    [](Words& out, int hour, int minute, bool twelve) {
        NlNumber(out, twelve ? Twelve(hour) : hour);
        out << " uur ";
        NlNumber(out, minute);
    },
    [](int hour, int) -> const char* {
        return hour < 6    ? "'s nachts"
               : hour < 12 ? "'s ochtends"
               : hour < 18 ? "'s middags"
                           : "'s avonds";
    },
};

// French: "trois heures et quart", "quatre heures moins le quart", "midi et demi".
const char* const kFrOnes[20] = {"zéro",   "une",   "deux",     "trois",    "quatre",
                                 "cinq",   "six",   "sept",     "huit",     "neuf",
                                 "dix",    "onze",  "douze",    "treize",   "quatorze",
                                 "quinze", "seize", "dix-sept", "dix-huit", "dix-neuf"};
const char* const kFrTens[4] = {"vingt", "trente", "quarante", "cinquante"};
// Counting hours and minutes, both feminine: "vingt et une".
void FrNumber(Words& out, int n) {
    Number(out, n, kFrOnes, kFrTens, [](Words& o, const char* tens, int unit) {
        o << tens;
        if (unit == 1)
            o << " et une";
        else if (unit)
            o << "-" << kFrOnes[unit];
    });
}
// The hour as the clock names it, "midi" and "minuit" included; form 2 is the half hour.
void FrHour(Words& out, int hour, int form) {
    if (hour == 0 || hour == 12) {
        out << (hour ? "midi" : "minuit") << (form == 2 ? " et demi" : "");
        return;
    }
    FrNumber(out, hour);
    out << (hour == 1 ? " heure" : " heures") << (form == 2 ? " et demie" : "");
}
const Speaker kFrench = {
    {{"", "", false, 0},
     {"", " cinq", false, 0},
     {"", " dix", false, 0},
     {"", " et quart", false, 0},
     {"", " vingt", false, 0},
     {"", " vingt-cinq", false, 0},
     {"", "", false, 2},
     {"", " moins vingt-cinq", true, 0},
     {"", " moins vingt", true, 0},
     {"", " moins le quart", true, 0},
     {"", " moins dix", true, 0},
     {"", " moins cinq", true, 0}},
    [](Words& out, int hour, int form) { FrHour(out, hour % 12 ? Twelve(hour) : hour, form); },
    [](Words& out, int hour, int minute, bool twelve) {
        FrHour(out, twelve && hour % 12 ? Twelve(hour) : hour, 0);
        out << " ";
        FrNumber(out, minute);
    },
    [](int hour, int named) -> const char* {
        if (named % 12 == 0)
            return nullptr;
        return hour < 12 ? "du matin" : hour < 18 ? "de l'après-midi" : "du soir";
    },
};

// Italian: "le tre e un quarto", "le quattro meno venti", "mezzogiorno e mezza".
const char* const kItOnes[20] = {"zero",     "uno",    "due",         "tre",      "quattro",
                                 "cinque",   "sei",    "sette",       "otto",     "nove",
                                 "dieci",    "undici", "dodici",      "tredici",  "quattordici",
                                 "quindici", "sedici", "diciassette", "diciotto", "diciannove"};
const char* const kItTens[4] = {"venti", "trenta", "quaranta", "cinquanta"};
void ItNumber(Words& out, int n) {
    Number(out, n, kItOnes, kItTens, [](Words& o, const char* tens, int unit) {
        o << tens;
        // "ventuno", "trentotto", "ventitré".
        if (unit == 1 || unit == 8)
            o.Drop(1);
        o << (unit == 3 ? "tré" : unit ? kItOnes[unit] : "");
    });
}
void ItHour(Words& out, int hour) {
    if (hour == 0 || hour == 12) {
        out << (hour ? "mezzogiorno" : "mezzanotte");
    } else if (hour == 1) {
        out << "l'una";
    } else {
        out << "le ";
        ItNumber(out, hour);
    }
}
const Speaker kItalian = {
    {{"", "", false, 0},
     {"", " e cinque", false, 0},
     {"", " e dieci", false, 0},
     {"", " e un quarto", false, 0},
     {"", " e venti", false, 0},
     {"", " e venticinque", false, 0},
     {"", " e mezza", false, 0},
     {"", " meno venticinque", true, 0},
     {"", " meno venti", true, 0},
     {"", " meno un quarto", true, 0},
     {"", " meno dieci", true, 0},
     {"", " meno cinque", true, 0}},
    [](Words& out, int hour, int) { ItHour(out, hour % 12 ? Twelve(hour) : hour); },
    [](Words& out, int hour, int minute, bool twelve) {
        ItHour(out, twelve && hour % 12 ? Twelve(hour) : hour);
        out << " e ";
        ItNumber(out, minute);
    },
    [](int hour, int named) -> const char* {
        if (named % 12 == 0)
            return nullptr;
        return hour < 5    ? "di notte"
               : hour < 12 ? "di mattina"
               : hour < 18 ? "del pomeriggio"
               : hour < 22 ? "di sera"
                           : "di notte";
    },
};

// Spanish: "las tres y cuarto", "las cuatro menos veinte", "la una y media", "mediodía".
const char* const kEsOnes[20] = {"cero",   "uno",       "dos",        "tres",      "cuatro",
                                 "cinco",  "seis",      "siete",      "ocho",      "nueve",
                                 "diez",   "once",      "doce",       "trece",     "catorce",
                                 "quince", "dieciséis", "diecisiete", "dieciocho", "diecinueve"};
const char* const kEsTens[4] = {"veinte", "treinta", "cuarenta", "cincuenta"};
// The twenties are one word each: "veintiuno", "veintidós".
const char* const kEsTwenties[10] = {"veinte",       "veintiuno",   "veintidós",  "veintitrés",
                                     "veinticuatro", "veinticinco", "veintiséis", "veintisiete",
                                     "veintiocho",   "veintinueve"};
void EsNumber(Words& out, int n) {
    Number(out, n, kEsOnes, kEsTens, [](Words& o, const char* tens, int unit) {
        if (tens == kEsTens[0]) {
            o << kEsTwenties[unit];
            return;
        }
        o << tens;
        if (unit)
            o << " y " << kEsOnes[unit];
    });
}
void EsHour(Words& out, int hour) {
    if (hour == 1) {
        out << "la una";
    } else {
        out << "las ";
        EsNumber(out, hour);
    }
}
const Speaker kSpanish = {
    {{"", "", false, 0},
     {"", " y cinco", false, 1},
     {"", " y diez", false, 1},
     {"", " y cuarto", false, 1},
     {"", " y veinte", false, 1},
     {"", " y veinticinco", false, 1},
     {"", " y media", false, 1},
     {"", " menos veinticinco", true, 1},
     {"", " menos veinte", true, 1},
     {"", " menos cuarto", true, 1},
     {"", " menos diez", true, 1},
     {"", " menos cinco", true, 1}},
    [](Words& out, int hour, int form) {
        if (form == 0 && hour % 12 == 0)
            out << (hour ? "mediodía" : "medianoche");
        else
            EsHour(out, Twelve(hour));
    },
    [](Words& out, int hour, int minute, bool twelve) {
        EsHour(out, twelve ? Twelve(hour) : hour);
        out << " y ";
        EsNumber(out, minute);
    },
    [](int hour, int) -> const char* {
        return hour < 1    ? "de la noche"
               : hour < 6  ? "de la madrugada"
               : hour < 12 ? "de la mañana"
               : hour < 13 ? "del mediodía"
               : hour < 20 ? "de la tarde"
                           : "de la noche";
    },
};

// Brazilian Portuguese: "três e quinze", "vinte para as quatro", "meio-dia e meia".
const char* const kPtOnes[20] = {"zero",   "um",        "dois",      "três",    "quatro",
                                 "cinco",  "seis",      "sete",      "oito",    "nove",
                                 "dez",    "onze",      "doze",      "treze",   "catorze",
                                 "quinze", "dezesseis", "dezessete", "dezoito", "dezenove"};
const char* const kPtTens[4] = {"vinte", "trinta", "quarenta", "cinquenta"};
// Minutes are counted in the masculine ("um", "dois"), hours in the feminine ("uma", "duas").
const char* PtUnit(int unit, bool feminine) {
    return feminine && unit == 1 ? "uma" : feminine && unit == 2 ? "duas" : kPtOnes[unit];
}
void PtNumber(Words& out, int n, bool feminine) {
    if (n < 20) {
        out << PtUnit(n, feminine);
        return;
    }
    out << kPtTens[n / 10 - 2];
    if (n % 10)
        out << " e " << PtUnit(n % 10, feminine);
}
// Form 0: on the hour ("três horas"); 1: before the minutes ("três"); 2: after "para" ("as
// quatro").
void PtHour(Words& out, int hour, int form) {
    if (hour == 0 || hour == 12) {
        if (form == 2)
            out << (hour ? "o " : "a ");
        out << (hour ? "meio-dia" : "meia-noite");
        return;
    }
    if (form == 2)
        out << (hour == 1 ? "a " : "as ");
    PtNumber(out, hour, true);
    if (form == 0)
        out << (hour == 1 ? " hora" : " horas");
}
const Speaker kPortuguese = {
    {{"", "", false, 0},
     {"", " e cinco", false, 1},
     {"", " e dez", false, 1},
     {"", " e quinze", false, 1},
     {"", " e vinte", false, 1},
     {"", " e vinte e cinco", false, 1},
     {"", " e meia", false, 1},
     {"vinte e cinco para ", "", true, 2},
     {"vinte para ", "", true, 2},
     {"quinze para ", "", true, 2},
     {"dez para ", "", true, 2},
     {"cinco para ", "", true, 2}},
    [](Words& out, int hour, int form) { PtHour(out, hour % 12 ? Twelve(hour) : hour, form); },
    [](Words& out, int hour, int minute, bool twelve) {
        PtHour(out, twelve && hour % 12 ? Twelve(hour) : hour, 1);
        out << " e ";
        PtNumber(out, minute, false);
    },
    [](int hour, int named) -> const char* {
        if (named % 12 == 0)
            return nullptr;
        return hour < 6    ? "da madrugada"
               : hour < 12 ? "da manhã"
               : hour < 18 ? "da tarde"
                           : "da noite";
    },
};

// Russian: "четверть четвёртого", "без двадцати четыре", "пятнадцать семнадцать", "полдень".
const char* const kRuOnes[20] = {"ноль",        "один",       "два",          "три",
                                 "четыре",      "пять",       "шесть",        "семь",
                                 "восемь",      "девять",     "десять",       "одиннадцать",
                                 "двенадцать",  "тринадцать", "четырнадцать", "пятнадцать",
                                 "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать"};
const char* const kRuTens[4] = {"двадцать", "тридцать", "сорок", "пятьдесят"};
// The hour whose minutes they are: "первого" (of the first) to "двенадцатого".
const char* const kRuOfHour[12] = {"первого",  "второго",  "третьего",      "четвёртого",
                                   "пятого",   "шестого",  "седьмого",      "восьмого",
                                   "девятого", "десятого", "одиннадцатого", "двенадцатого"};
// Numbers written as words, tens and units apart: Russian, Polish.
void Spaced(Words& out, const char* tens, int unit, const char* const (&ones)[20]) {
    out << tens;
    if (unit)
        out << " " << ones[unit];
}
void RuNumber(Words& out, int n) {
    Number(out, n, kRuOnes, kRuTens,
           [](Words& o, const char* tens, int unit) { Spaced(o, tens, unit, kRuOnes); });
}
const Speaker kRussian = {
    {{"", "", false, 0},
     {"пять минут ", "", true, 1},
     {"десять минут ", "", true, 1},
     {"четверть ", "", true, 1},
     {"двадцать минут ", "", true, 1},
     {"двадцать пять минут ", "", true, 1},
     {"половина ", "", true, 1},
     {"без двадцати пяти ", "", true, 2},
     {"без двадцати ", "", true, 2},
     {"без четверти ", "", true, 2},
     {"без десяти ", "", true, 2},
     {"без пяти ", "", true, 2}},
    // Form 0: on the hour ("три часа", "пять часов"); 1: whose minutes; 2: the hour to come.
    [](Words& out, int hour, int form) {
        const int twelve = Twelve(hour);
        if (form == 0 && hour % 12 == 0) {
            out << (hour ? "полдень" : "полночь");
        } else if (form == 1) {
            out << kRuOfHour[twelve - 1];
        } else if (twelve == 1) {
            out << "час";
        } else {
            RuNumber(out, twelve);
            out << (form == 2 ? "" : twelve < 5 ? " часа" : " часов");
        }
    },
    [](Words& out, int hour, int minute, bool twelve) {
        RuNumber(out, twelve ? Twelve(hour) : hour);
        out << (minute < 10 ? " ноль " : " ");
        RuNumber(out, minute);
    },
    [](int hour, int) -> const char* {
        return hour < 4 ? "ночи" : hour < 12 ? "утра" : hour < 17 ? "дня" : "вечера";
    },
};

// Polish: "kwadrans po trzeciej", "wpół do czwartej", "za kwadrans czwarta", "południe".
const char* const kPlOnes[20] = {"zero",       "jeden",        "dwa",         "trzy",
                                 "cztery",     "pięć",         "sześć",       "siedem",
                                 "osiem",      "dziewięć",     "dziesięć",    "jedenaście",
                                 "dwanaście",  "trzynaście",   "czternaście", "piętnaście",
                                 "szesnaście", "siedemnaście", "osiemnaście", "dziewiętnaście"};
const char* const kPlTens[4] = {"dwadzieścia", "trzydzieści", "czterdzieści", "pięćdziesiąt"};
// The hours are the ordinals of "godzina": "pierwsza" to "dwudziesta".
const char* const kPlHours[20] = {"pierwsza",    "druga",      "trzecia",       "czwarta",
                                  "piąta",       "szósta",     "siódma",        "ósma",
                                  "dziewiąta",   "dziesiąta",  "jedenasta",     "dwunasta",
                                  "trzynasta",   "czternasta", "piętnasta",     "szesnasta",
                                  "siedemnasta", "osiemnasta", "dziewiętnasta", "dwudziesta"};
void PlNumber(Words& out, int n) {
    Number(out, n, kPlOnes, kPlTens,
           [](Words& o, const char* tens, int unit) { Spaced(o, tens, unit, kPlOnes); });
}
// Hour 1 to 23 (0 is "zero"); `after` gives the form after "po" and "do": "trzeciej".
void PlHour(Words& out, int hour, bool after) {
    if (hour == 0) {
        out << "zero";
        return;
    }
    if (hour > 20)
        out << "dwudziesta ";
    out << kPlHours[hour > 20 ? hour - 21 : hour - 1];
    if (after) {
        out.Drop(1); // the closing "a"
        out << (out.Last() == 'g' ? "iej" : "ej");
    }
}
const Speaker kPolish = {
    {{"", "", false, 0},
     {"pięć po ", "", false, 1},
     {"dziesięć po ", "", false, 1},
     {"kwadrans po ", "", false, 1},
     {"dwadzieścia po ", "", false, 1},
     {"dwadzieścia pięć po ", "", false, 1},
     {"wpół do ", "", true, 1},
     {"za dwadzieścia pięć ", "", true, 2},
     {"za dwadzieścia ", "", true, 2},
     {"za kwadrans ", "", true, 2},
     {"za dziesięć ", "", true, 2},
     {"za pięć ", "", true, 2}},
    [](Words& out, int hour, int form) {
        if (form == 0 && hour % 12 == 0)
            out << (hour ? "południe" : "północ");
        else
            PlHour(out, Twelve(hour), form == 1);
    },
    [](Words& out, int hour, int minute, bool twelve) {
        PlHour(out, twelve ? Twelve(hour) : hour, false);
        out << (minute < 10 ? " zero " : " ");
        PlNumber(out, minute);
    },
    [](int hour, int) -> const char* {
        return hour < 5    ? "w nocy"
               : hour < 10 ? "rano"
               : hour < 12 ? "przed południem"
               : hour < 18 ? "po południu"
               : hour < 22 ? "wieczorem"
                           : "w nocy";
    },
};

// `n` (0 to 59) in digits.
void Digits(Words& out, int n) {
    const char text[3] = {static_cast<char>(n >= 10 ? '0' + n / 10 : '0' + n),
                          static_cast<char>(n >= 10 ? '0' + n % 10 : '\0'), '\0'};
    out << text;
}

// Japanese, as the clock reads: "3時15分", "午後3時半", "正午".
void Japanese(Words& out, int hour, int minute, bool twelve) {
    if (hour == 12 && minute == 0) {
        out << "正午";
        return;
    }
    if (twelve)
        out << (hour < 12 ? "午前" : "午後");
    Digits(out, twelve ? hour % 12 : hour);
    out << "時";
    if (minute == 30) {
        out << "半";
    } else if (minute) {
        Digits(out, minute);
        out << "分";
    }
}

// Chinese, as the clock reads: "三点一刻", "下午两点半", "十五点零五分", "中午十二点".
const char* const kZhDigits[10] = {"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
void ZhNumber(Words& out, int n) {
    if (n < 10) {
        out << kZhDigits[n];
        return;
    }
    out << (n >= 20 ? kZhDigits[n / 10] : "") << "十" << (n % 10 ? kZhDigits[n % 10] : "");
}
void Chinese(Words& out, int hour, int minute, bool twelve) {
    if (hour == 12)
        out << "中午";
    else if (twelve)
        out << (hour == 0 && minute == 0 ? "午夜"
                : hour < 6               ? "凌晨"
                : hour < 12              ? "上午"
                : hour < 18              ? "下午"
                                         : "晚上");
    const int count = twelve || hour == 12 ? Twelve(hour) : hour;
    if (count == 2)
        out << "两";
    else
        ZhNumber(out, count);
    out << "点";
    if (minute == 15) {
        out << "一刻";
    } else if (minute == 30) {
        out << "半";
    } else if (minute == 45) {
        out << "三刻";
    } else if (minute) {
        out << (minute < 10 ? "零" : "");
        ZhNumber(out, minute);
        out << "分";
    }
}
} // namespace

std::string TimeInWords(int language, int hour, int minute, bool twelveHour) {
    static const struct {
        const char* base;
        const Speaker* speaker;
        void (*say)(Words& out, int hour, int minute, bool twelve); // where no table does
    } speakers[] = {
        {"de", &kGerman, nullptr},     {"es", &kSpanish, nullptr}, {"fr", &kFrench, nullptr},
        {"it", &kItalian, nullptr},    {"nl", &kDutch, nullptr},   {"pl", &kPolish, nullptr},
        {"pt", &kPortuguese, nullptr}, {"ru", &kRussian, nullptr}, {"ja", nullptr, Japanese},
        {"zh", nullptr, Chinese},
    };
    const char* tag = language >= 0 && language < kLanguageCount ? kLanguages[language].tag : "en";
    hour = hour < 0 ? 0 : hour > 23 ? 23 : hour;
    minute = minute < 0 ? 0 : minute > 59 ? 59 : minute;
    Words out;
    const Speaker* speaker = &kEnglish;
    for (const auto& other : speakers)
        if (std::strncmp(tag, other.base, 2) == 0) {
            if (other.say) {
                other.say(out, hour, minute, twelveHour);
                return out.c_str();
            }
            speaker = other.speaker;
        }
    Say(out, *speaker, hour, minute, twelveHour);
    return out.c_str();
}
