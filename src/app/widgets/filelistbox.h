#pragma once

#include <QListWidget>

// The file list: a list of paths with extended selection that reports clicks,
// double-clicks anywhere in it, and every key before the list handles it.
class FileListBox : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int ItemHeight = 15;

    explicit FileListBox(QWidget *parent = nullptr);

signals:
    // A mouse click, or a key that moved the current entry.
    void clicked();
    void doubleClicked();
    // Sent before the list's own key handling, which always follows.
    void keyDown(QKeyEvent *event);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
