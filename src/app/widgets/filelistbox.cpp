#include "widgets/filelistbox.h"

#include "ListFiles/localpath.h"

#include <QDropEvent>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QUrl>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Every entry is one line of the same height.
class FixedHeightDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), FileListBox::ItemHeight};
    }
};

// The local files of a drop. The path is taken from its percent-encoded bytes,
// because QUrl::toLocalFile would turn a byte that is not UTF-8 into U+FFFD.
QStringList localPathsOf(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    const QList<QUrl> urls = data->urls();
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString host = url.host();
        if (!host.isEmpty() && host != QLatin1String("localhost"))
            continue;
        const QByteArray bytes =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (!bytes.isEmpty())
            paths << LocalPath::fromNative(bytes);
    }
    return paths;
}

// Whether a drag carries at least one local file: checked at every move, so
// without decoding the whole list.
bool offersLocalFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(), [](const QUrl &url) { return url.isLocalFile(); });
}

} // namespace

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent), m_collator(QLocale())
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
    setItemDelegate(new FixedHeightDelegate(this));
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_pendingLayout.setSingleShot(true);
    m_pendingLayout.setInterval(BulkLayoutInterval);
    connect(&m_pendingLayout, &QTimer::timeout, this, [this] {
        QListWidget::doItemsLayout();
        m_sinceLayout.restart();
        viewport()->update();
    });

    // Entries added with addItem & co. by anyone are moved to their place here.
    // The view and the selection model have seen the insertion already: they
    // connected to the model before this list did.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                if (m_sorted && !m_placing)
                    placeInsertedRows(first, last);
            });
}

void FileListBox::setBulkAdding(bool on)
{
    m_bulk = on;
    if (!on && m_pendingLayout.isActive()) {
        m_pendingLayout.stop();
        QListWidget::doItemsLayout();
        viewport()->update();
    }
}

void FileListBox::doItemsLayout()
{
    if (m_bulk && m_sinceLayout.isValid() && m_sinceLayout.elapsed() < BulkLayoutInterval) {
        if (!m_pendingLayout.isActive())
            m_pendingLayout.start();
        return;
    }
    QListWidget::doItemsLayout();
    m_sinceLayout.restart();
}

void FileListBox::addPath(const QString &path)
{
    if (!m_sorted) {
        addItem(path);
        return;
    }
    const QScopedValueRollback placing(m_placing, true);
    insertItem(sortedRow(path, count()), path);
}

int FileListBox::sortedRow(const QString &path, int end) const
{
    int low = 0;
    int high = end;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (m_collator.compare(path, item(middle)->text()) < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

void FileListBox::placeInsertedRows(int first, int last)
{
    const QScopedValueRollback placing(m_placing, true);
    // The same item objects go back in, so a caller's pointer to one stays good.
    QList<QListWidgetItem *> fresh;
    for (int row = last; row >= first; --row)
        fresh.prepend(takeItem(row));
    for (QListWidgetItem *entry : std::as_const(fresh))
        insertItem(sortedRow(entry->text(), count()), entry);
}

void FileListBox::setSortedMode(bool on)
{
    if (on == m_sorted)
        return;
    m_sorted = on;
    if (!on)
        return;

    const int n = count();
    const QStringList texts = paths();
    // compare() rather than sort keys: in the C locale Qt's keys ignore the
    // collator's case setting.
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this, &texts](int a, int b) {
        return m_collator.compare(texts.at(a), texts.at(b)) < 0;
    });

    std::vector<bool> selected(n);
    for (int row = 0; row < n; ++row)
        selected[row] = item(row)->isSelected();
    const int current = currentRow();

    QStringList sorted;
    sorted.reserve(n);
    for (int row : order)
        sorted << texts.at(row);
    {
        const QScopedValueRollback placing(m_placing, true);
        clear();
        addItems(sorted);
    }

    QItemSelection selection;
    for (int row = 0; row < n; ++row) {
        if (!selected[order[row]])
            continue;
        int end = row;
        while (end + 1 < n && selected[order[end + 1]])
            ++end;
        selection.select(model()->index(row, 0), model()->index(end, 0));
        row = end;
    }
    selectionModel()->select(selection, QItemSelectionModel::Select);
    if (current >= 0) {
        const int moved = int(std::find(order.begin(), order.end(), current) - order.begin());
        selectionModel()->setCurrentIndex(model()->index(moved, 0), QItemSelectionModel::NoUpdate);
    }
}

QStringList FileListBox::paths() const
{
    QStringList all;
    all.reserve(count());
    for (int row = 0; row < count(); ++row)
        all << item(row)->text();
    return all;
}

void FileListBox::removeSelected()
{
    const QModelIndexList chosen = selectionModel()->selectedIndexes();
    std::vector<int> rows;
    rows.reserve(chosen.size());
    for (const QModelIndex &index : chosen)
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    // From the bottom up, so the rows still to go keep their numbers.
    for (auto end = rows.end(); end != rows.begin();) {
        auto start = std::prev(end);
        while (start != rows.begin() && *std::prev(start) == *start - 1)
            --start;
        model()->removeRows(*start, *std::prev(end) - *start + 1);
        end = start;
    }
}

void FileListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit clicked();
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void FileListBox::keyPressEvent(QKeyEvent *event)
{
    emit keyDown(event);
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before)
        emit clicked();
}

void FileListBox::dragEnterEvent(QDragEnterEvent *event)
{
    if (!offersLocalFiles(event->mimeData()))
        event->ignore();
    else
        event->acceptProposedAction();
}

void FileListBox::dragMoveEvent(QDragMoveEvent *event)
{
    if (!offersLocalFiles(event->mimeData()))
        event->ignore();
    else
        event->acceptProposedAction();
}

void FileListBox::dropEvent(QDropEvent *event)
{
    const QStringList dropped = localPathsOf(event->mimeData());
    if (dropped.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit pathsDropped(dropped);
}
