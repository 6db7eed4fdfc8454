#pragma once

#include <QString>
#include <QWidget>

struct AppContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// Transfer: directs a token just issued at the windowed kiosk to one counter, with its type and,
// for an appointment, its time. The ticket's key is in lblRef.
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
