#pragma once

#include <QString>

// The settings the window keeps between runs, one member per key of the
// section "Pictoloom_Settings", in the order the keys are read and written.
// The initial values are the window's own defaults.
struct StoredSettings
{
    QString defaultImage;       // "Default"
    int width = 1500;           // "Width"
    int cols = 8;               // "Cols"
    int spacer = 10;            // "Spacer"
    int sides = 200;            // "Sides"
    QString backImage;          // "BackImage"
    int backColor = 16777215;   // "BackColor", see StoredColor
    int quality = 60;           // "Quality"
    bool map = true;            // "MAP"
    bool browser = true;        // "Browser"
    int popWidth = 800;         // "PopWidth"
    int popHeight = 600;        // "PopHeight"
    bool useBack = false;       // "Use_Back"
    bool numbers = true;        // "Numbers"

    bool operator==(const StoredSettings &) const = default;
};

inline const QString SettingsSection = QStringLiteral("Pictoloom_Settings");
inline const QString HeaderFontSection = QStringLiteral("Headerfont");

// Reads the keys in order. "Width", "Cols", "Spacer", "Sides" and "Quality"
// default to fixed numbers, "Default" and "BackImage" to the empty string, the
// others to their value in current. Values come back as stored, not brought
// into the spin edits' ranges (see clampedToSpinRanges). Throws PictoloomError
// when the file is missing and cannot be created.
StoredSettings readStoredSettings(const QString &path, const StoredSettings &current);

// Writes the 14 keys in order, each to disk at once. Throws PictoloomError on
// the first key that cannot be written; the keys before it stay written.
void writeStoredSettings(const QString &path, const StoredSettings &settings);

struct SpinRange
{
    int minimum;
    int maximum;
};

namespace SpinRanges {
constexpr SpinRange Width{100, 5000};
constexpr SpinRange Cols{1, 25};
constexpr SpinRange Spacer{1, 20};
constexpr SpinRange Sides{1, 500};
constexpr SpinRange Quality{10, 100};
constexpr SpinRange PopWidth{100, 2000};
constexpr SpinRange PopHeight{100, 2000};
} // namespace SpinRanges

int clampedTo(int value, SpinRange range);

// The values a spin edit would show after taking them.
StoredSettings clampedToSpinRanges(StoredSettings settings);

// The settings file's place: the program's path with its extension replaced
// by ".dat", or the same file name under $XDG_CONFIG_HOME/pictoloom/ (default
// ~/.config/pictoloom/, created when missing) when the program's folder
// cannot be written.
QString SettingsPathFor(const QString &programPath);
