#include "settings/settingsfile.h"

#include "paths/pathrules.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

StoredSettings readStoredSettings(const QString &path, const StoredSettings &current)
{
    const IniFile ini(path);
    const QString &s = SettingsSection;
    const StoredSettings defaults;
    StoredSettings r;
    r.defaultImage = ini.readString(s, QStringLiteral("Default"), QString());
    r.width = ini.readInteger(s, QStringLiteral("Width"), defaults.width);
    r.cols = ini.readInteger(s, QStringLiteral("Cols"), defaults.cols);
    r.spacer = ini.readInteger(s, QStringLiteral("Spacer"), defaults.spacer);
    r.sides = ini.readInteger(s, QStringLiteral("Sides"), defaults.sides);
    r.backImage = ini.readString(s, QStringLiteral("BackImage"), QString());
    r.backColor = ini.readInteger(s, QStringLiteral("BackColor"), current.backColor);
    r.quality = ini.readInteger(s, QStringLiteral("Quality"), defaults.quality);
    r.map = ini.readBool(s, QStringLiteral("MAP"), current.map);
    r.browser = ini.readBool(s, QStringLiteral("Browser"), current.browser);
    r.popWidth = ini.readInteger(s, QStringLiteral("PopWidth"), current.popWidth);
    r.popHeight = ini.readInteger(s, QStringLiteral("PopHeight"), current.popHeight);
    r.useBack = ini.readBool(s, QStringLiteral("Use_Back"), current.useBack);
    r.numbers = ini.readBool(s, QStringLiteral("Numbers"), current.numbers);
    return r;
}

void writeStoredSettings(const QString &path, const StoredSettings &settings)
{
    IniFile ini(path);
    const QString &s = SettingsSection;
    ini.writeString(s, QStringLiteral("Default"), settings.defaultImage);
    ini.writeInteger(s, QStringLiteral("Width"), settings.width);
    ini.writeInteger(s, QStringLiteral("Cols"), settings.cols);
    ini.writeInteger(s, QStringLiteral("Spacer"), settings.spacer);
    ini.writeInteger(s, QStringLiteral("Sides"), settings.sides);
    ini.writeString(s, QStringLiteral("BackImage"), settings.backImage);
    ini.writeInteger(s, QStringLiteral("BackColor"), settings.backColor);
    ini.writeInteger(s, QStringLiteral("Quality"), settings.quality);
    ini.writeBool(s, QStringLiteral("MAP"), settings.map);
    ini.writeBool(s, QStringLiteral("Browser"), settings.browser);
    ini.writeInteger(s, QStringLiteral("PopWidth"), settings.popWidth);
    ini.writeInteger(s, QStringLiteral("PopHeight"), settings.popHeight);
    ini.writeBool(s, QStringLiteral("Use_Back"), settings.useBack);
    ini.writeBool(s, QStringLiteral("Numbers"), settings.numbers);
}

int clampedTo(int value, SpinRange range)
{
    return std::clamp(value, range.minimum, range.maximum);
}

StoredSettings clampedToSpinRanges(StoredSettings settings)
{
    settings.width = clampedTo(settings.width, SpinRanges::Width);
    settings.cols = clampedTo(settings.cols, SpinRanges::Cols);
    settings.spacer = clampedTo(settings.spacer, SpinRanges::Spacer);
    settings.sides = clampedTo(settings.sides, SpinRanges::Sides);
    settings.quality = clampedTo(settings.quality, SpinRanges::Quality);
    settings.popWidth = clampedTo(settings.popWidth, SpinRanges::PopWidth);
    settings.popHeight = clampedTo(settings.popHeight, SpinRanges::PopHeight);
    return settings;
}

QString SettingsPathFor(const QString &programPath)
{
    const QString extension = PathRules::extensionOf(programPath);
    const QString besideProgram = programPath.chopped(extension.size()) + QStringLiteral(".dat");
    const QFileInfo info(besideProgram);
    if (QFileInfo(info.absolutePath()).isWritable())
        return besideProgram;

    // An installed program lives in a folder its users cannot write.
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = configHome + QStringLiteral("/pictoloom");
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + info.fileName();
}
