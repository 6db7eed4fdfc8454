#pragma once

#include <functional>

#include <QString>
#include <QVariantMap>
#include <QVector>
#include <QWidget>

struct AppContext;
class DbError;
class Grid;
class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QFormLayout;

// What the department, service and counter lists have in common: a grid FG whose column 0 holds the
// row's key (hidden) and column 1 the running number "SN", the buttons Add (Command3), Delete
// (Command2) and Close (Command1), a double click that opens the edit screen on the row's key, and
// a reload whenever the list loads, becomes the active window, deletes a row or its edit screen saves.
class MasterList : public QWidget
{
    Q_OBJECT

public:
    struct Column
    {
        QString header;
        int twips;
    };

    MasterList(AppContext& ctx, const QString& name, const QString& caption, const QString& editScreen,
               QWidget* parent = nullptr);

    Grid* FG;
    QPushButton* Command3; // Add
    QPushButton* Command2; // Delete
    QPushButton* Command1; // Close

    void Form_Load();
    // Rebuilds the grid and fills it again; failures are shown, never thrown.
    void refresh();
    void setFG();
    virtual void addFG() = 0;
    void FG_DblClick();
    void Command3_Click();
    void Command2_Click();
    void Command1_Click();

    // The key in column 0 of the selected row; 0 when no row is selected.
    qint64 selectedKey() const;
    // Selects the data row holding that key; false when the list has no such row.
    bool selectKey(qint64 key);

protected:
    // The columns of the grid after the key; the last is a filler that takes the spare width.
    virtual QVector<Column> columns() const = 0;
    // Delete rules of the list for that key; true when the row was deleted.
    virtual bool deleteEntry(qint64 key) = 0;
    // Appends a data row: the key, the running number, then the given texts.
    void addEntry(qint64 key, const QStringList& texts);
    void changeEvent(QEvent* event) override;
    class MasterEdit* openEditScreen();

    AppContext& m_ctx;

private:
    QString m_editScreen;
    bool m_skipActivationRefresh = false;
};

// What the edit screens have in common: the hidden key label lblRef (empty for a new row), Save
// (Command2) and Close (Command1). Save runs the screen's checks, inserts (saveData) or updates
// (updateData) the row, tells the list, and closes. A failing insert or update is shown and the
// screen stays open with what was typed, so nothing is lost. So does an update of a row another
// workstation deleted meanwhile: it writes nothing, says so, and Add in the list then keeps the
// fields for a new row.
class MasterEdit : public QWidget
{
    Q_OBJECT

public:
    // kind names one row in messages ("department"), listTitle the list that shows the rows.
    MasterEdit(AppContext& ctx, const QString& name, const QString& caption, const QString& table,
               const QString& kind, const QString& listTitle, QWidget* parent = nullptr);

    QLabel* lblRef;
    QPushButton* Command2; // Save
    QPushButton* Command1; // Close

    // The key in lblRef, 0 for a new row.
    qint64 ref() const;
    // True while the screen holds a row not stored yet (lblRef empty).
    bool isNewRow() const;
    // Empties the screen and puts the key into lblRef, then fills the screen from that row, so a row
    // deleted meanwhile shows an empty screen, never the values of the row shown before.
    void edit(qint64 key);
    // Empties lblRef and every field: Save then inserts a new row.
    void startNew();
    // True once Save found the row deleted meanwhile; edit(), startNew() and keepAsNew() end it.
    bool rowDeletedMeanwhile() const { return m_rowDeleted; }
    // Empties lblRef only: Save then inserts what the screen shows as a new row.
    void keepAsNew();
    virtual void getData() = 0;

    void Command2_Click();
    void Command1_Click();
    // Both return false when the store refused or, for an update, when the row is gone; the
    // failure has then been shown.
    bool saveData();
    bool updateData();

Q_SIGNALS:
    void saved();
    // An update found its row deleted meanwhile; the list should drop it.
    void rowMissing();

protected:
    // Puts every field back to what a new row starts with.
    virtual void clearFields() = 0;
    // Each check in order; shows the first failing check's message and returns false.
    virtual bool checkInput() = 0;
    // The row's values as the screen holds them.
    virtual QVariantMap values() const = 0;
    // The row's name as typed, for messages about the row.
    virtual QString rowName() const = 0;
    virtual void showFailure(const DbError& error);
    // Lays out the labelled fields above the buttons.
    QFormLayout* form() const { return m_form; }

    AppContext& m_ctx;
    QString m_table;

private:
    QFormLayout* m_form;
    QString m_kind;
    QString m_listTitle;
    bool m_rowDeleted = false;
};

// Plain text checks the edit screens share.
namespace masterdata {

// True when the text reads as a number (sign, digits, decimal point, exponent, spaces around).
bool readsAsNumber(const QString& text);
// A whole number, as start and end numbers must be; false when the text is not one.
bool readsAsWholeNumber(const QString& text, qint64* value = nullptr);
// A token prefix may not hold any of - # . _ * , (they would break the label); such a prefix is emptied.
QString cleanPrefix(const QString& prefix);
// Text for the store: an empty box becomes an empty text, never a missing value.
QString stored(const QString& text);
// A list that also takes typed text, with nothing chosen and nothing typed.
void clearChoice(QComboBox* box);
// Shows the row with that key as the choice, adding its name when the list does not hold it (an
// inactive row). Names may repeat, so the list's entries carry their keys.
void chooseKey(QComboBox* box, qint64 key, const QString& name);
// The key of the entry chosen; a typed name that is no entry's text is looked up by `byName`.
qint64 chosenKey(const QComboBox* box, const std::function<qint64(const QString&)>& byName);

} // namespace masterdata
