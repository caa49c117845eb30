#pragma once

#include <QString>

#include <stdexcept>

// The one exception type of Pictoloom. It carries the text the user is shown,
// so it is thrown where the fault is found and caught only at the edge.
class PictoloomError : public std::runtime_error
{
public:
    explicit PictoloomError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    QString message() const { return m_message; }

private:
    QString m_message;
};
