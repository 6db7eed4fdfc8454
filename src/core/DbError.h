#pragma once

#include <QString>
#include <stdexcept>

// A statement the store refused, or a connection that could not be made. The text is the store's
// own description, as the screens show it to the user.
class DbError : public std::runtime_error
{
public:
    enum class Kind { Other, Connection, UniqueViolation };

    explicit DbError(const QString& description, Kind kind = Kind::Other)
        : std::runtime_error(description.toStdString()), m_description(description), m_kind(kind)
    {
    }
    const QString& description() const { return m_description; }
    Kind kind() const { return m_kind; }
    bool isUniqueViolation() const { return m_kind == Kind::UniqueViolation; }

private:
    QString m_description;
    Kind m_kind;
};
