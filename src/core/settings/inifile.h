#pragma once

#include <QString>

// A settings file in the format of the Windows profile functions, readable and
// writable by both: "[Section]" lines, "Key=Value" lines, CR LF line ends,
// names matched without regard to case. A file this class creates is UTF-16LE
// behind an FF FE mark; a file without the mark is 8-bit (UTF-8 where a line is
// valid UTF-8, Windows-1252 otherwise) and stays so.
//
// Nothing is cached: every read looks at the file on disk, and every write that
// changes something replaces the file at once through a QSaveFile, touching no
// byte of the lines it does not rewrite.
class IniFile
{
public:
    // Creates a missing file holding only the FF FE mark. Throws PictoloomError
    // "Cannot create file "%s". %s" when that fails.
    explicit IniFile(const QString &path);

    QString path() const { return m_path; }

    // The longest text a read returns.
    static constexpr qsizetype MaxReadLength = 2047;

    // The stored value with blanks and tabs trimmed and one pair of matching
    // outer quotes removed; defaultValue when the key is missing.
    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // Decimal, or hexadecimal after "$", "0x" or "0X"; defaultValue when the
    // key is missing, empty or not such a number.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // Any number but 0 is true.
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    // Each write throws PictoloomError "Unable to write to %s" when it fails;
    // the file on disk is then the one from before the write.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

private:
    QString m_path;
};
