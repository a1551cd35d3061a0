#pragma once
// The English texts the tests expect the program to show, written out: a text changed in the
// resources by mistake fails here.

inline constexpr char kTipActive[] = "CHIMO!: Active";
inline constexpr char kTipDisabled[] = "CHIMO!: Disabled";
inline constexpr char kTipSleeping[] = "CHIMO!: Sleeping";
inline constexpr char kTipSilentUntil[] = "CHIMO!: Silent until "; // and the time
inline constexpr char kTipRinging[] = "CHIMO!!!!";

inline constexpr char kKeyTaken[] = "Another program has this key.";
inline constexpr char kKeyNeedsModifier[] = "Needs Ctrl or Alt: the default is used.";
inline constexpr char kNoVoice[] = "No voice is installed";

inline constexpr char kWarningCaption[] = "CHIMO!: Warning...";
inline constexpr char kFileNotFound[] =
    "CHIMO! can not find the file specified.\nWould you still like to use this file?";
inline constexpr char kNotWavFile[] =
    "This file does not appear to be a WAV file.\nWould you still like to use this file?";
inline constexpr char kInvalidTimeCaption[] = "Invalid Time";
inline constexpr char kInvalidTime[] = "Please enter time in this fashion:\n06:30pm";
inline constexpr char kExitCaption[] = "CHIMO!: Exit...";
inline constexpr char kExitQuestion[] =
    "CHIMO! sound events will not play if you exit.\nDo you wish to continue?";
inline constexpr char kLegacyCaption[] = "CHIMO!: Previous Version Detected";
inline constexpr char kLegacyQuestion[] =
    "CHIMO! has detected outdated registry entries.  Would you care to remove them?";
// Each slot's file dialog title and missing-file caption, in the slot table's order.
inline constexpr const char* kBrowseTitles[4] = {"CHIMO! Top Of The Hour", "CHIMO! Quarter After",
                                                 "CHIMO! Half Past", "CHIMO! Quarter Til"};
inline constexpr const char* kMissingCaptions[4] = {
    "Error: Top Of The Hour", "Error: Quarter After", "Error: Half Past", "Error: Quarter 'Til"};
