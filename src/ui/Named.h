#pragma once

#include <QString>

// Sets the objectName that tests and style sheets find a control by, and returns the control.
template <typename T> inline T* named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}
