#pragma once

#include "tickets/Issue.h"
#include "tickets/LoadCache.h"

#include <QDate>
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QWidget>

struct AppContext;
class Grid;
class KioskKeyboard;
class KioskRetry;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;

// Print Ticket, the windowed kiosk: a ticket type, an issue date, departments of the type's
// category, then a department's services.
class frmTicket : public QWidget
{
    Q_OBJECT

public:
    explicit frmTicket(AppContext& ctx, QWidget* parent = nullptr);

    Grid* FG;
    QRadioButton* optWalkIn;
    QRadioButton* optReport;
    QRadioButton* optAppointment;
    QRadioButton* optEmergency;
    QLabel* lblSelectDate;
    QDateEdit* DT; // the issue date
    QPushButton* cmdExit;
    QLabel* picLogo; // holds the hall's logo for the tickets, never shown

    int stg = 0;  // 0 departments listed, 1 services listed
    int rh = 500; // button row height in twips
    // Fills the list again once the server answers after a fill that failed.
    KioskRetry* retry;
    // The buttons from a keyboard or keypad, spoken.
    KioskKeyboard* keyboard;
    bool largeText = false; // larger text, white and yellow on black
    // The type letter the next issue is made with, as the options set it (empty until the first issue).
    QString ticketType;
    TicketHeader header;

    void Form_Load();
    void addDept(const QString& category);
    void addServ(qint64 deptId);
    void addimg(const QString& picture);
    void getType();
    // Issues the given number (numbering::nextNumber: the day's next) for the service of the selected
    // grid row; returns the stored ticket's key, 0 when nothing was stored. An emergency, appointment or
    // report token is issued by the transfer window this opens, once it is directed.
    qint64 getEnd(qint64 number);
    void FG_Click();
    void option_Click(QRadioButton* option);
    void cmdExit_Click();

    QDate issueDate() const;
    // How long after the grid changed a touch is taken for the second half of a double tap.
    static constexpr int touchSettleMs = 500;
    // The transfer window opened for the last report, appointment or emergency token.
    QWidget* lastTransferWindow() const { return m_transfer; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyRowHeights();
    void gridChanged();
    // Issues the service of that row; with spoken, says the number and what to do next.
    void issueFromRow(int row, bool spoken = false);
    // What touching (or taking from the keys) a row does.
    void takeRow(int row, bool spoken);
    void listChoices();
    void openTransfer(const numbering::IssueRequest& request, const TicketStyle& style,
                      const QString& printedName);

    AppContext& m_ctx;
    QPointer<QWidget> m_transfer;
    QDateTime m_gridChangedAt;            // by the screen's clock
    bool m_skipRelease = false;           // the release that ends a double click is no touch
    numbering::IssuedTicket m_lastIssued; // by the last getEnd
    // The services' loads between this kiosk's issues.
    waiting::LoadCache m_loads;
    bool m_lastPrinted = false;
};
