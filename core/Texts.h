#pragma once
// The texts CHIMO! shows: the tray's tooltips, and its questions with their captions. Kept in
// one place, so that the program and its tests name each the same way.

constexpr char kTipActive[] = "CHIMO!: Active";
constexpr char kTipDisabled[] = "CHIMO!: Disabled";
constexpr char kTipSleeping[] = "CHIMO!: Sleeping";
constexpr char kTipSilentUntil[] = "CHIMO!: Silent until "; // and the time, as the user writes it
constexpr char kTipRinging[] = "CHIMO!!!!";
// The tray's tooltip holds this many characters (its terminator included).
constexpr unsigned kTipSize = 128;

// The device list's first entry, and the mark of a chosen device that is not connected.
constexpr char kDefaultDevice[] = "Default device";
constexpr char kNotConnected[] = " (not connected)";

// Beside the Tell-the-time key when Windows refuses it, and beside the speech box.
constexpr char kKeyTaken[] = "Another program has this key.";
constexpr char kKeyNeedsModifier[] = "Needs Ctrl or Alt: the default is used.";
constexpr char kNoVoice[] = "No voice is installed";

constexpr char kWarningCaption[] = "CHIMO!: Warning...";
constexpr char kFileNotFound[] =
    "CHIMO! can not find the file specified.\nWould you still like to use this file?";
constexpr char kNotWavFile[] =
    "This file does not appear to be a WAV file.\nWould you still like to use this file?";
constexpr char kInvalidTimeCaption[] = "Invalid Time";
constexpr char kInvalidTime[] = "Please enter time in this fashion:\n06:30pm";
constexpr char kExitCaption[] = "CHIMO!: Exit...";
constexpr char kExitQuestion[] =
    "CHIMO! sound events will not play if you exit.\nDo you wish to continue?";
constexpr char kLegacyCaption[] = "CHIMO!: Previous Version Detected";
constexpr char kLegacyQuestion[] =
    "CHIMO! has detected outdated registry entries.  Would you care to remove them?";

#include "core/Quiet.h"

#include <string>

// A control's text as a screen reader says it: "&&" is an ampersand, any other '&' marks the
// mnemonic and goes, and so do trailing dots and a colon ("Top of the &hour:" gives "Top of the
// hour", "Browse..." gives "Browse").
std::string SpokenText(const std::string& text);
// The shortcut a label's mnemonic gives its control ("Alt+h", "Alt+Г": the whole character of a
// label in UTF-8), or "" when it has none.
std::string ShortcutOf(const std::string& label);

// The Active status after a quarter that was due kept quiet for `reason`: "CHIMO!: Active; quiet
// at 10:45 (a call)", `clock` being the quarter's time as the user writes it; cut to what the
// tooltip holds.
std::string QuietTip(const std::string& clock, QuietReason reason);
