#pragma once
// The arithmetic and texts of the link labels, with no Windows header.

#include <string>

// A rectangle in the edge form of the system's RECT.
struct EdgeRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Static-control style bits that decide how a label is fitted to its text.
constexpr unsigned kStyleCenter = 0x0001;      // SS_CENTER
constexpr unsigned kStyleRight = 0x0002;       // SS_RIGHT
constexpr unsigned kStyleCenterImage = 0x0200; // SS_CENTERIMAGE

// The label rectangle `r` fitted to text of `cx` by `cy`: centred labels keep their centre
// (each side moves by half the difference, truncated toward zero), right-aligned ones their
// right edge, all others their left edge; vertically centred ones keep their middle, all
// others their top.
EdgeRect FitRectToText(EdgeRect r, unsigned style, int cx, int cy);

// The longest command the fallback opener builds (its buffer less the terminator).
constexpr std::string::size_type kMaxOpenCommand = 519;

// The command that opens `target` with a program's open command: the command cut at its
// first quoted "%1" (at the opening quote) or else at its first %1, then one space and the
// target. False, and `out` untouched, when the result would be longer than kMaxOpenCommand:
// a cut-down command would open something else.
bool BuildOpenCommand(const std::string& command, const std::string& target, std::string& out);

// The program an open command runs, and the command line to start it with, its path quoted
// so that the system cannot read "C:\Program Files\Web\web.exe" as "C:\Program.exe": a
// quoted path as it stands; else the text up to the first ".exe" that ends a word; else up to
// the first space.
struct ProgramCommand {
    std::string program, line;
};
ProgramCommand QuoteProgram(const std::string& command);
