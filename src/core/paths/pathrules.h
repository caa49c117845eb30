#pragma once

#include <QString>

// Small rules about path text that several parts of the program share.
namespace PathRules {

// The text from the last "." to the end, provided no "/" follows that ".";
// otherwise empty. "photo.JPG" -> ".JPG", "dir.d/file" -> "".
QString extensionOf(const QString &name);

// The characters after the last "/": "/a/b/c.jpg" -> "c.jpg".
QString fileNamePart(const QString &path);

// path with "/" appended unless it already ends with one.
QString withTrailingSeparator(const QString &path);

} // namespace PathRules

// The window's historical name for the same rule.
inline QString WithTrailingBackslash(const QString &path)
{
    return PathRules::withTrailingSeparator(path);
}
