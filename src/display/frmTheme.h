#pragma once

#include <QVariantMap>
#include <QVector>
#include <QWidget>

struct AppContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The theme editor: every field of a display theme, saved as one tbltheme row. The key of the row
// being edited is in the hidden label lblRef (empty for a new theme).
class frmTheme : public QWidget
{
    Q_OBJECT

public:
    explicit frmTheme(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* lblRef;
    QLineEdit* txtName;
    QLineEdit* txtColumn;
    QLineEdit* txtRow;
    QLineEdit* txtColWidth;
    QLineEdit* txtRHeight;
    QLineEdit* txtlogo;
    QCheckBox* chktime;
    QLineEdit* txtFormat; // clock file, filled by the clock picker
    QComboBox* cmbFont;
    QComboBox* cmbTSize;
    QLabel* lblTClr;
    QLabel* lblBGClr;
    QLabel* lblLClr;
    QLabel* lblARClr;
    QLineEdit* txtTbkBack;
    QComboBox* cmbHFont;
    QLabel* lblHBGClr;
    QLabel* lblHClr;
    QComboBox* cmbHFSize;
    QComboBox* cmbRowFont;
    QComboBox* cmbRFsize;
    QLabel* lblRFcolor;
    QLabel* lblRDClr;
    QComboBox* cmbVFont;
    QComboBox* cmbVFSize;
    QLabel* lblVFColor;
    QLabel* lblVBGClr;
    QComboBox* cmbType;
    QLabel* lblBG;
    QLineEdit* tblLine;
    QLineEdit* txtVideo;
    QLineEdit* txtOnline;
    QLineEdit* txtVol;
    QCheckBox* chkMovie;
    QLineEdit* txtttl;
    QComboBox* cmbTtlFont;
    QLabel* lblttlClr;
    QComboBox* cmbTtlSize;
    QCheckBox* chkScroll;
    QLineEdit* txtTformat;
    QLabel* lblTimePreview; // the board's clock text for txtTformat at the current time
    QCheckBox* chkHeader;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* txtImg1;
    QLineEdit* txtImg2;
    QLabel* lblNewsBG;
    QLineEdit* txtTime; // Picture Slide Duration

    QPushButton* cmdSave;
    QPushButton* cmdPosition;
    QPushButton* cmdCounter;
    QPushButton* cmdClock;
    QPushButton* cmdHeader;
    QPushButton* cmdScroll;
    QPushButton* cmdClose;
    QPushButton* cmdLogo;
    QPushButton* cmdBack;
    QPushButton* cmdVideo;
    QPushButton* cmdImg1;
    QPushButton* cmdImg2;

    void Form_Load();
    void getData();
    // Return false when the row could not be written (the store's message was shown). An update of
    // a theme deleted meanwhile writes nothing, says so and returns false.
    bool saveData();
    bool updateData();
    bool chkVal();
    void addFont();
    void addSize();
    void cmdSave_Click();
    void cmdCounter_Click();
    // Opens the file dialog with the field's filter and puts the chosen path into the field.
    void chooseFile(QLineEdit* field);
    // Opens the colour dialog for a swatch.
    void chooseColor(QLabel* swatch);

    // Shows what the board's text clock would read now with the format in txtTformat.
    void showTimePreview();

    void txtColumn_LostFocus();
    void txtRow_LostFocus();
    void txtRHeight_LostFocus();
    void tblLine_LostFocus();
    void txtVol_LostFocus();
    void txtTime_LostFocus();

    // The values of every field by column name, as saved.
    QVariantMap fieldValues() const;
    // Colour number shown by a swatch.
    static qint64 swatchColor(const QLabel* swatch);
    static void setSwatchColor(QLabel* swatch, qint64 number);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void arrangeFields();
    void bindColumns();
    void showNewThemeDefaults();
    void makeTimePreview();
    QLabel* makeSwatch(const char* name);
    QComboBox* makeCombo(const char* name, bool preview);
    QLineEdit* makeEdit(const char* name, const QString& text = QString());
    QLineEdit* makeFileEdit(const char* name, QPushButton*& button, const char* buttonName);
    void showFontPreview(QComboBox* combo);
    void refreshList();

    struct Binding
    {
        QString column;
        QWidget* field;
    };
    QVector<Binding> m_bindings;
    QVector<QComboBox*> m_previewFonts;
    QVector<QLabel*> m_swatches;
    AppContext& m_ctx;
};
