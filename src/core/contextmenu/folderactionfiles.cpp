#include "contextmenu/folderactionfiles.h"

namespace {

// The escapes of a desktop-entry string value.
QString desktopString(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

// Double quotes with " ` $ \ escaped, the quoting both desktop entries and
// the shell-like parsers of the file managers undo.
QString doubleQuoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

} // namespace

namespace FolderActionFiles {

QString desktopExecArgument(const QString &argument)
{
    QString quoted = doubleQuoted(argument);
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    return desktopString(quoted);
}

QString shellWord(const QString &text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

QString kdeServiceMenu(const QString &programPath, const QString &entryName,
                       const QString &caption)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Service\n"
                          "ServiceTypes=KonqPopupMenu/Plugin\n"
                          "MimeType=inode/directory;\n"
                          "Actions=%1;\n"
                          "X-KDE-Priority=TopLevel\n"
                          "\n"
                          "[Desktop Action %1]\n"
                          "Name=%2\n"
                          "Icon=image-x-generic\n"
                          "Exec=%3 %f\n")
        .arg(entryName, desktopString(caption), desktopExecArgument(programPath));
}

QString nautilusScript(const QString &programPath, const QString &caption)
{
    // Nautilus offers scripts for every selection and hands it over one path
    // per line; only folders are meant.
    return QStringLiteral("#!/bin/sh\n"
                          "# %1\n"
                          "program=%2\n"
                          "printf '%s\\n' \"$NAUTILUS_SCRIPT_SELECTED_FILE_PATHS\" |\n"
                          "while IFS= read -r folder; do\n"
                          "    if [ -d \"$folder\" ]; then\n"
                          "        \"$program\" \"$folder\" &\n"
                          "    fi\n"
                          "done\n")
        .arg(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')), shellWord(programPath));
}

QString nemoAction(const QString &programPath, const QString &caption)
{
    // Nemo puts the selected path in as it is; Quote=double encloses it. Nemo
    // knows no "%%", so the program path is quoted without doubling "%".
    return QStringLiteral("[Nemo Action]\n"
                          "Name=%1\n"
                          "Comment=%1\n"
                          "Exec=%2 %F\n"
                          "Icon-Name=image-x-generic\n"
                          "Selection=s\n"
                          "Extensions=dir;\n"
                          "Quote=double\n")
        .arg(desktopString(caption), desktopString(doubleQuoted(programPath)));
}

QString fileManagerAction(const QString &programPath, const QString &entryName,
                          const QString &caption)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Action\n"
                          "Name=%2\n"
                          "Tooltip=%2\n"
                          "Icon=image-x-generic\n"
                          "Profiles=%1;\n"
                          "\n"
                          "[X-Action-Profile %1]\n"
                          "Name=%2\n"
                          "MimeTypes=inode/directory;\n"
                          "SelectionCount==1\n"
                          "Exec=%3 %f\n")
        .arg(entryName, desktopString(caption), desktopExecArgument(programPath));
}

} // namespace FolderActionFiles
