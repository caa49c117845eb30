// Watching the clipboard for copied files.
#include "main1/main1.h"

#include "ClipNote/clipnote.h"
#include "clipboard/clipboardfiles.h"
#include "main1/errorreport.h"
#include "paths/pathrules.h"
#include "picture/pictureregistry.h"
#include "widgets/filelistbox.h"
#include "widgets/ledlamp.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>

namespace {

bool onWayland()
{
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

QStringList clipboardFiles()
{
    return clipboardFilePaths(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard));
}

// On Wayland a window learns of clipboard changes only while it has the
// focus, so the clipboard is looked at again whenever the window is activated.
class ActivationReread : public QObject
{
public:
    explicit ActivationReread(TForm1 *window)
        : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::WindowActivate
            && m_window->ClipNote1 && m_window->ClipNote1->Active())
            RunHandler([this] { m_window->ClipNote1ClipboardChange(); });
        return false;
    }

private:
    TForm1 *m_window;
};

} // namespace

void TForm1::TntButton5Click()
{
    if (!ClipNote1) {
        ClipNote1 = new TClipNote(this);
        connect(ClipNote1, &TClipNote::OnClipboardChange, this,
                [this] { RunHandler([this] { ClipNote1ClipboardChange(); }); });
        if (onWayland())
            new ActivationReread(this);
    }
    JvLED2->setOn(!JvLED2->isOn());
    ClipNote1->setActive(JvLED2->isOn());
    // Switching on adds nothing: what is on the clipboard now counts as seen.
    if (onWayland())
        FLastClipboardFiles = clipboardFiles();
}

void TForm1::ClipNote1ClipboardChange()
{
    // On Wayland the same clipboard is announced again at every activation,
    // and a copy made elsewhere is seen only then: an unchanged list of files
    // is that same copy once more.
    if (onWayland()) {
        const QStringList current = clipboardFiles();
        if (!current.isEmpty() && current == FLastClipboardFiles)
            return;
        FLastClipboardFiles = current;
    }
    AddClipboardFiles();
}

void TForm1::AddClipboardFiles()
{
    // The count is refreshed on every way out, also when adding stopped part-way.
    const auto refreshCount = qScopeGuard([this] { ShowFileCount(); });
    const QStringList paths = clipboardFiles();
    for (const QString &path : paths) {
        if (HasListedExtension(path.toLower()))
            files->addItem(path);
    }
}

bool TForm1::HasListedExtension(const QString &lowerName) const
{
    const QString extension = PathRules::extensionOf(lowerName);
    if (extension.isEmpty())
        return false;
    // "*" is every picture type the program reads, as in the folder scan.
    const QString listed = Extensions->text();
    if (listed == QLatin1String("*"))
        return PictureRegistry::isReadable(extension.mid(1));
    return listed.contains(extension, Qt::CaseSensitive);
}
