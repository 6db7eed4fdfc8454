#pragma once

#include <QString>
#include <stdexcept>

// A statement the store refused, or a connection that could not be made. The text is what the
// screens show to the user: the store's own reason, or one of the plain texts below when the
// connection itself failed.
class DbError : public std::runtime_error
{
public:
    enum class Kind {
        Other,
        Connection,     // the store could not be reached or opened; nothing was changed
        ConnectionLost, // the connection broke before anything was saved; nothing was changed
        OutcomeUnknown, // the connection broke while a change was on its way: it may or may not be saved
        UniqueViolation,
        NotPermitted // the login of this workstation lacks the right; the description says what it may do
    };

    explicit DbError(const QString& description, Kind kind = Kind::Other, const QString& detail = QString())
        : std::runtime_error(description.toStdString()), m_description(description), m_kind(kind),
          m_detail(detail.isEmpty() ? description : detail)
    {
    }
    const QString& description() const { return m_description; }
    // The store's own words (the description, unless that was put in plainer ones).
    const QString& detail() const { return m_detail; }
    Kind kind() const { return m_kind; }
    bool isUniqueViolation() const { return m_kind == Kind::UniqueViolation; }
    // The connection is (or was) away: the next action may well work once the server is back.
    bool isConnectionFailure() const
    {
        return m_kind == Kind::Connection || m_kind == Kind::ConnectionLost || m_kind == Kind::OutcomeUnknown;
    }

    static QString unreachableText()
    {
        return QStringLiteral("The database server cannot be reached. Nothing was changed.");
    }
    static QString notConnectedText()
    {
        return QStringLiteral("There is no connection to the database yet. Check the connection values "
                              "(SQL Settings) or wait until the database server answers.");
    }
    static QString busyText()
    {
        return QStringLiteral("The database is busy: another workstation is using what this needs. Nothing "
                              "was changed; try again in a moment.");
    }
    static QString outcomeUnknownText()
    {
        return QStringLiteral("The connection to the database server broke while the change was being "
                              "saved. It may or may not have been saved: look before doing it again.");
    }

private:
    QString m_description;
    Kind m_kind;
    QString m_detail;
};
