#pragma once
// The time of day in words, as the speakers of each of CHIMO!'s languages say it: "quarter past
// three", "Viertel nach drei", "half vier", "trois heures et quart", "без четверти четыре",
// "3時半", "三点一刻". No Windows header.
#include <string>

// hour:minute (0-23, 0-59) in words, in UTF-8, in language `language` (an index of kLanguages;
// English for one out of range). The round minutes (:00, :05, ..., :55) take the language's
// phrase on the twelve-hour count ("twenty to four" at 15:40 wherever the clock shows 24 hours),
// noon and midnight their names; the other minutes are read as the clock shows them. Where
// `twelveHour` (the user's clock counts twelve hours), every phrase says the part of the day
// ("in the afternoon", "nachmittags", "午後"), as people of the language do.
std::string TimeInWords(int language, int hour, int minute, bool twelveHour);
