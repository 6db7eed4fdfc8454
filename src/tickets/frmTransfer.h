#pragma once

#include "tickets/Numbering.h"

#include <QString>
#include <QWidget>
#include <functional>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// Transfer: directs an emergency, appointment or report token of the windowed kiosk to one counter,
// with its type and, for an appointment, its time. Opened by the kiosk before the ticket exists:
// Update issues and prints it already directed (issue), so it is never a walk-in in between, and
// the close box issues nothing. Without issue, Update directs the existing waiting ticket whose key
// is in lblRef.
class frmTransfer : public QWidget
{
    Q_OBJECT

public:
    explicit frmTransfer(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* lblRef;
    QComboBox* cmbService; // counter names
    QLineEdit* txtRef;     // notes
    QTimeEdit* dTime;
    QPushButton* Command1; // Update

    // The type of the ticket this window directs ("N", "R", "A", "E"); the kiosk sets it when it
    // opens the window, so a later choice on the kiosk does not change this ticket.
    QString ticketType = QStringLiteral("N");
    // Issues and prints the ticket with its direction; set by the kiosk. The issued ticket's key is
    // then put in lblRef.
    std::function<numbering::IssuedTicket(const numbering::Direction&)> issue;

    void Form_Load();
    void addCount();
    void Command1_Click();

Q_SIGNALS:
    // The ticket was directed; the kiosk goes back to walk-in.
    void updated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& m_ctx;
};
