#include "core/FailureMessages.h"

#include "ui/Dialogs.h"

void FailureMessages::report(const QString& description)
{
    if (m_showing || m_quiet > 0)
        return;
    m_showing = true;
    m_dialogs.message(description, Dialogs::Buttons::Ok, Dialogs::Icon::Critical, QString(), m_owner);
    m_showing = false;
}
