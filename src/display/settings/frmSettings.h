#pragma once

#include <QWidget>

struct AppContext;
class KioskDepartmentList;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// Module settings: what this workstation is (display theme and start, kiosk look and printing,
// voice templates, live video input). Everything lives in the per-user settings store.
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

    // Opens the screen without showing it, performs Save and closes it again (administrator log-in
    // and Print Ticket).
    static void performSave(AppContext& ctx);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillLists();
    void testTemplate(const QString& voiceTemplate, int ruleSet);

    AppContext& m_ctx;
    bool m_speaking = false;
    qint64 m_absentSource = -1; // the stored input position when the machine lacks it
};
