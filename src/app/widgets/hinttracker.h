#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Follows the pointer across the application's widgets and announces the hint
// under it: the status tip of the widget under the pointer or of its nearest
// ancestor that has one, or empty. Hints reach the user only this way, so
// tooltips and Qt's own status-tip events are swallowed.
class HintTracker : public QObject
{
    Q_OBJECT

public:
    explicit HintTracker(QObject *parent = nullptr);

    // Starts watching every widget of the application.
    void install();

    QString currentHint() const { return m_hint; }

    static QString hintOf(const QWidget *widget);

signals:
    // Sent only when the hint differs from the previous one.
    void hintChanged(const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setHint(const QString &hint);

    QString m_hint;
};
