#pragma once

#include <QString>

// How a map record's image path becomes the text of an area on the page.
//
// The link is a relative URL resolved against the page's folder. File names
// are case-sensitive here, so letter case is kept; every character that would
// end the URL early, make it absolute or break the markup around it is
// percent-encoded, and the attribute texts are HTML-escaped on top.
namespace MapLink {

// Path of filePath relative to folder, with "/" separators and case kept:
// "name", "sub/name", "../sibling/name". Both are taken as absolute paths
// (relative ones against the current directory) and cleaned of "." and "..".
// An empty filePath gives an empty result.
QString relativePath(const QString &folder, const QString &filePath);

// Percent-encodes a relative path for use as a URL: blank, "#", "%", "?",
// apostrophe, backslash, control characters, every non-ASCII character (as
// the file name's bytes: UTF-8, or the raw bytes of a name that is not valid
// UTF-8, see LocalPath), and a ":" before the first "/" (it would read as a scheme). Letters,
// digits and the other printable ASCII characters stay as they are.
QString encodeUrlPath(const QString &path);

// The link of an image as it stands in the page in folder pageFolder.
QString linkFor(const QString &pageFolder, const QString &filePath);

// Escapes "&", "<", ">", '"' and apostrophe for a double-quoted HTML attribute.
QString escapeHtmlAttribute(const QString &text);

} // namespace MapLink
