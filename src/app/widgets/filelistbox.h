#pragma once

#include <QCollator>
#include <QElapsedTimer>
#include <QListWidget>
#include <QStringList>
#include <QTimer>

// The file list: a list of paths with extended selection that reports clicks,
// double-clicks anywhere in it, every key before the list handles it, and
// files or folders dropped onto it from a file manager.
//
// It has a sorted mode of its own (QListWidget's compares case-sensitively by
// code point): while it is on, every entry is kept in the locale's alphabetical
// order without regard to case, and every new entry, however it was added, goes
// to its sorted place, after the entries that compare equal to it.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int ItemHeight = 15;

    explicit FileListBox(QWidget *parent = nullptr);

    // Adds a path at the end, or at its sorted place in sorted mode.
    void addPath(const QString &path);

    bool sortedMode() const { return m_sorted; }
    // Switching on sorts the present entries (keeping which are selected);
    // switching off keeps the present order.
    void setSortedMode(bool on);

    // Every entry in list order.
    QStringList paths() const;

    // Removes the selected entries, in runs of neighbours rather than one by one.
    void removeSelected();

    // While a scan pours entries in, the view lays itself out at most every
    // BulkLayoutInterval ms: laying out every entry again after each new one
    // makes a long scan quadratic. Switching off lays out at once.
    static constexpr int BulkLayoutInterval = 40;
    void setBulkAdding(bool on);
    void doItemsLayout() override;

signals:
    // A mouse click, or a key that moved the current entry.
    void clicked();
    void doubleClicked();
    // Sent before the list's own key handling, which follows for every key but
    // Copy: the window copies the whole list, which the list's own copy of the
    // current entry would overwrite.
    void keyDown(QKeyEvent *event);
    // Local paths dropped onto the list, in the order of the drop. Names keep
    // their bytes (see LocalPath).
    void pathsDropped(const QStringList &paths);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The row where path belongs among rows [0, end), which are in order.
    int sortedRow(const QString &path, int end) const;
    void placeInsertedRows(int first, int last);

    QCollator m_collator;
    bool m_bulk = false;
    QElapsedTimer m_sinceLayout;
    QTimer m_pendingLayout;
    bool m_sorted = false;
    bool m_placing = false; // our own insertions are already in place
};
