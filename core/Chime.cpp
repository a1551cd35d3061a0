#include "core/Chime.h"

int TwelveHour(int hour) {
    const int twelve = ((hour % 12) + 12) % 12;
    return twelve == 0 ? 12 : twelve;
}

Pattern PatternFromProfile(int stored) {
    return stored > 0 && stored < kPatternCount ? static_cast<Pattern>(stored)
                                                : Pattern::Westminster;
}

int ShipsBells(int hour, int minute) {
    const int halfHours = ((hour % 24 + 24) % 24 * 60 + minute) / 30 % 8;
    return halfHours == 0 ? 8 : halfHours;
}

namespace {
// `count` strikes of `slot`, `spacingMs` apart, from `atMs` on, added to `strokes`.
void Add(std::vector<Stroke>& strokes, SoundSlot slot, int count, unsigned atMs,
         unsigned spacingMs) {
    for (int i = 0; i < count; ++i)
        strokes.push_back({slot, atMs + static_cast<unsigned>(i) * spacingMs});
}

// `count` strikes of the hour bell in pairs.
std::vector<Stroke> Pairs(int count) {
    std::vector<Stroke> strokes;
    for (int i = 0; i < count; ++i)
        strokes.push_back(
            {SoundSlot::Hour, static_cast<unsigned>(i / 2) * (kPairStrikeMs + kPairGapMs) +
                                  static_cast<unsigned>(i % 2) * kPairStrikeMs});
    return strokes;
}

QuarterStrike Spaced(std::vector<Stroke> strokes) {
    QuarterStrike strike;
    strike.count = static_cast<int>(strokes.size());
    if (!strokes.empty())
        strike.slot = strokes.front().slot;
    strike.strokes = std::move(strokes);
    return strike;
}
} // namespace

StrikeTable Strikes(int hour, const ChimeOptions& options) {
    StrikeTable table;
    const int hours = options.multi ? TwelveHour(hour) : 1;
    switch (options.pattern) {
    case Pattern::Westminster: break;
    case Pattern::QuarterStrikes: {
        for (int quarter = 1; quarter < 4; ++quarter) {
            std::vector<Stroke> strokes;
            Add(strokes, SoundSlot::QuarterAfter, quarter, 0, kQuarterStrikeMs);
            table.quarter[quarter] = Spaced(strokes);
        }
        std::vector<Stroke> strokes;
        Add(strokes, SoundSlot::QuarterAfter, 4, 0, kQuarterStrikeMs);
        Add(strokes, SoundSlot::Hour, hours, 3 * kQuarterStrikeMs + kBeforeHourMs, kHourStrikeMs);
        table.quarter[0] = Spaced(strokes);
        return table;
    }
    case Pattern::ShipsBells:
        table.quarter[0] = Spaced(Pairs(ShipsBells(hour, 0)));
        table.quarter[2] = Spaced(Pairs(ShipsBells(hour, 30)));
        return table;
    case Pattern::HalfHourStroke:
        table.quarter[0] = {SoundSlot::Hour, hours, {}};
        table.quarter[2] = {SoundSlot::HalfPast, 1, {}};
        return table;
    }
    table.quarter[0] = {SoundSlot::Hour, hours, {}};
    const int secondary = options.disableSecondary ? 0 : 1;
    table.quarter[1] = {SoundSlot::QuarterAfter, secondary, {}};
    table.quarter[2] = {
        options.useSame ? SoundSlot::QuarterAfter : SoundSlot::HalfPast, secondary, {}};
    table.quarter[3] = {
        options.useSame ? SoundSlot::QuarterAfter : SoundSlot::QuarterTil, secondary, {}};
    return table;
}

ChimeChoice SelectChime(int hour, int minute, const ChimeOptions& options) {
    // Each quarter owns a three-minute window; every other minute is the hour.
    const int quarter = minute >= 14 && minute <= 16   ? 1
                        : minute >= 29 && minute <= 31 ? 2
                        : minute >= 44 && minute <= 46 ? 3
                                                       : 0;
    QuarterStrike strike = std::move(Strikes(hour, options).quarter[quarter]);
    ChimeChoice choice;
    choice.play = strike.count > 0;
    choice.slot = strike.slot;
    choice.count = strike.count;
    choice.strokes = std::move(strike.strokes);
    return choice;
}

bool SlotInUse(SoundSlot slot, const ChimeOptions& options) {
    // The slots do not depend on the hour: any hour's table tells.
    for (const QuarterStrike& strike : Strikes(0, options).quarter) {
        if (strike.slot == slot && strike.count > 0)
            return true;
        for (const Stroke& stroke : strike.strokes)
            if (stroke.slot == slot)
                return true;
    }
    return false;
}

namespace {
const char* const kBundled[] = {"Hour.wav",       "Quarter Past.wav", "Half Past.wav",
                                "Quarter To.wav", "Quarter Bell.wav", "Ship's Bell.wav"};
bool SameLetters(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        const char x = *a >= 'A' && *a <= 'Z' ? static_cast<char>(*a - 'A' + 'a') : *a;
        const char y = *b >= 'A' && *b <= 'Z' ? static_cast<char>(*b - 'A' + 'a') : *b;
        if (x != y)
            return false;
    }
    return *a == *b;
}
} // namespace

const char* BundledBell(Pattern pattern, SoundSlot slot) {
    switch (pattern) {
    case Pattern::Westminster: return kBundled[static_cast<int>(slot)];
    case Pattern::QuarterStrikes:
        return slot == SoundSlot::Hour           ? kBundled[0]
               : slot == SoundSlot::QuarterAfter ? kBundled[4]
                                                 : nullptr;
    case Pattern::ShipsBells: return slot == SoundSlot::Hour ? kBundled[5] : nullptr;
    case Pattern::HalfHourStroke:
        // A mantel clock strikes its hour bell once at the half hour.
        return slot == SoundSlot::Hour || slot == SoundSlot::HalfPast ? kBundled[0] : nullptr;
    }
    return nullptr;
}

bool IsBundledName(const char* name) {
    for (const char* bundled : kBundled)
        if (name && SameLetters(name, bundled))
            return true;
    return false;
}
