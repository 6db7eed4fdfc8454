#pragma once

#include "tickets/Issue.h"
#include "tickets/KioskDepartments.h"
#include "tickets/LoadCache.h"

#include <QDate>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

struct AppContext;
class Grid;
class KioskKeyboard;
class KioskLanguageRow;
class KioskRetry;
class OutOfServicePage;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// Print Ticket, full screen: the services of the departments the workstation offers (the default
// department first; each under its name when there are several) as large touch buttons over a
// background picture. Each button issues its department's kind of token. It has no frame and covers the
// screen; the only way out is four touches on the top-right corner and the exit code. A close asked for by
// the window system (Alt+F4, a window manager's menu) is refused.
class frmTicketF : public QWidget
{
    Q_OBJECT

public:
    explicit frmTicketF(AppContext& ctx, QWidget* parent = nullptr);

    Grid* FG;
    QLabel* Image1;   // background picture
    QLabel* lblTouch; // the hidden corner
    QLabel* Label21;  // touches counted
    QLabel* picLogo;  // holds the hall's logo for the tickets, never shown
    QDateEdit* DT;    // kept hidden
    QPushButton* cmdExit;
    QTimer* Timer1; // sets the corner count back every 5 seconds
    // Over everything but the corner while the kiosk cannot serve (no default department, no service,
    // no answer from the server); the retry fills the page again by itself.
    OutOfServicePage* outOfService;
    KioskRetry* retry;
    // The buttons from a keyboard or keypad, spoken.
    KioskKeyboard* keyboard;
    // The visitor's choice of language, above the services; hidden when the kiosk offers one.
    KioskLanguageRow* languageRow;

    int clkCount = 0;
    int rh = 500;
    TicketHeader header;
    bool centred = false;
    bool largeText = false; // larger text, white and yellow on black

    void Form_Load();
    void addServ(const QList<kioskDepartments::Department>& departments);
    void addimg(const QString& picture);
    void makeCenter();
    // Issues the given number (numbering::nextNumber: the day's next) for the service of the selected
    // grid row; the stored ticket's key, or 0.
    qint64 getEnd(qint64 number);
    void FG_Click();
    void lblTouch_Click();
    void Timer1_Timer();
    void cmdExit_Click();
    // Closes the kiosk: the exit pad calls it when the right code was entered.
    void leave();

    // Lists the offered departments' services; false (and the out-of-service page) when there are
    // none to offer or the store does not answer.
    bool fillServices();
    // The kind of department (deptDesc) a grid row's button belongs to; "" for a heading.
    QString kindOfRow(int row) const;
    bool serving() const;
    // The height of each service button, in pixels.
    int buttonPixels() const { return m_buttonPixels; }

    // The visitor's language: the kiosk's texts, the ticket, its page and its announcement speak it.
    // Issuing a ticket returns the kiosk to its first language for the next visitor.
    QString language() const { return m_language; }
    void chooseLanguage(const QString& code);

    // The exit pad while it is open.
    QWidget* exitPad() const { return m_pad.data(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutScreen();
    void showOutOfService(const QString& reason);
    // Issues the service of that row; with spoken, says the number and what to do next.
    void issueRow(int row, bool spoken);
    void retranslate();
    // The height the language row takes above the services (0 when it is hidden).
    int languageRoom() const;

    AppContext& m_ctx;
    int m_buttonPixels = 0;
    QPixmap m_background;
    QStringList m_rowKinds;  // by grid row
    QStringList m_languages; // the kiosk's languages, its first one first
    QString m_language;
    QPointer<QWidget> m_pad;              // null once the pad has closed itself
    numbering::IssuedTicket m_lastIssued; // by the last getEnd
    // The services' loads between this kiosk's issues.
    waiting::LoadCache m_loads;
    bool m_lastPrinted = false;
    bool m_leaving = false;
};

// Enter Password: the exit pad of the full-screen kiosk. The right code closes the kiosk; the pad
// closes by itself at its eleventh one-second tick.
class frmPass : public QWidget
{
    Q_OBJECT

public:
    // kiosk: the screen the right code closes (may be null).
    explicit frmPass(AppContext& ctx, QWidget* kiosk = nullptr);

    QPushButton* txtNo[10];
    QLineEdit* txtPass;
    QLabel* Label1;
    QPushButton* cmdBack;  // "<"
    QPushButton* cmdClear; // "Clear"
    QPushButton* cmdEnter; // "Enter"
    QTimer* Timer1;

    QString exitCode;
    int ticks = 0;

    void Form_Load();
    void txtNo_Click(int index);
    void cmdBack_Click();
    void cmdClear_Click();
    void cmdEnter_Click();
    void Timer1_Timer();

private:
    AppContext& m_ctx;
    QWidget* m_kiosk;
};

// The exit code of the full-screen kiosk from code.txt ("7394" when the file holds none). A file
// that cannot be read is reported and also gives "7394", so the kiosk never opens to an empty code.
QString readExitCode(AppContext& ctx, QWidget* parent = nullptr);

// The picture that asks the visitor to take the ticket; it closes itself after 2 seconds.
class frmTT : public QWidget
{
    Q_OBJECT

public:
    explicit frmTT(AppContext& ctx, QWidget* parent = nullptr);
    QLabel* Image1;
    QTimer* Timer1;

    // The picture shown, 415 x 290 pixels.
    static QPixmap takeTicketPicture();
};
