#pragma once

#include <QString>

#include <stdexcept>

namespace jw {

/// A file operation that failed; carries the file and the system's reason.
class IoError : public std::runtime_error {
public:
    IoError(QString fileName, QString reason)
        : std::runtime_error((fileName + QStringLiteral(": ") + reason).toStdString()), m_fileName(std::move(fileName)),
          m_reason(std::move(reason))
    {}

    const QString &fileName() const { return m_fileName; }
    const QString &reason() const { return m_reason; }

private:
    QString m_fileName;
    QString m_reason;
};

} // namespace jw
