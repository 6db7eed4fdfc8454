#pragma once

#include "core/ShownSettings.h"
#include "core/ThemeChoice.h"

#include <QList>
#include <QWidget>

struct AppContext;
class KioskDepartmentList;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class PrinterChoice;

// Module settings: what this workstation is (display theme and start, kiosk look and printing,
// voice templates, live video input). Everything lives in the per-user settings store. Save stores only
// what its user changed, so what another screen, workstation or brivane-ctl wrote meanwhile stays.
class frmSettings : public QWidget
{
    Q_OBJECT

public:
    explicit frmSettings(AppContext& ctx, QWidget* parent = nullptr);

    QCheckBox* chkAuto;
    QComboBox* cmbDept;
    KioskDepartmentList* lstKioskDepts; // the full-screen kiosk's other departments
    QComboBox* cmbTheme;
    QComboBox* cmbScreen;
    QComboBox* cmbCut;
    QComboBox* cmbTicket;
    QComboBox* cmbService;
    QLineEdit* txtPrint;
    QComboBox* cmbPrinter;
    QLineEdit* txtRHeight;
    QLineEdit* txtWeb; // the hall's web address, printed on tickets as their page's QR code
    QLineEdit* txtSpeed;
    QLineEdit* txtVoice1;
    QLineEdit* txtVoice2;
    QComboBox* cmbAnnounce; // which templates the hall announcer speaks for a call
    // The workstation's language (item data: its code, "" for the machine's) and the languages its
    // kiosk offers the visitor ("en,hi").
    QComboBox* cmbLanguage;
    QLineEdit* txtLanguages;
    QGroupBox* fraVideo;
    QCheckBox* chkEnable;
    QComboBox* cmbSource;
    QCheckBox* chkMulti;
    QPushButton* Command1; // Save
    QPushButton* Command2; // Test of txtVoice1
    QPushButton* Command3; // close without saving
    QPushButton* Command4; // Test of txtVoice2

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void chkMulti_Click();
    void chkEnable_Click();
    void txtPrint_LostFocus();

    // The names of the machine's video capture devices, in the order the system reports them.
    static QStringList videoInputNames();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One setting as the screen shows it and Save would store it.
    struct Value
    {
        QString app, section, key, text;
    };
    // Every setting of the screen, in the order Save stores them (auto start and the default
    // department first).
    QList<Value> values() const;
    void store(const Value& value);
    void storeKey(const QList<Value>& values, const QString& section, const QString& key);
    void fillLists();
    void testTemplate(const QString& voiceTemplate, int ruleSet);

    AppContext& m_ctx;
    ShownSettings m_shown;
    PrinterChoice* m_printer = nullptr;
    QList<HallTheme> m_themes;
    bool m_speaking = false;
    qint64 m_absentSource = -1; // the stored input position when the machine lacks it
};
