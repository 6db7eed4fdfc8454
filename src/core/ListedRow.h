#pragma once

#include <QString>
#include <QVariant>

// One row of a long listing (Database::forEachRow), read where the store holds it: it is valid only
// while the handler that receives it runs. Reading a value as the type it is wanted in spares the
// copies a general value costs, which counts over hundreds of thousands of rows.
class ListedRow
{
public:
    virtual ~ListedRow() = default;
    virtual int size() const = 0;
    virtual bool isNull(int column) const = 0;
    // 0 for a null or a text that is not a number.
    virtual qint64 number(int column) const = 0;
    // Empty for a null.
    virtual QString text(int column) const = 0;
    virtual QVariant value(int column) const = 0;
};
