#pragma once

#include <QWidget>

struct AppContext;
class Grid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The video play list of the display boards (tblvideo): running number, description and active flag
// of every entry, with Add New, Edit, Delete and Close. Entries are edited in frmVideo.
class frmVideoLst : public QWidget
{
    Q_OBJECT

public:
    explicit frmVideoLst(AppContext& ctx, QWidget* parent = nullptr);

    Grid* FG;
    QPushButton* Command4; // Add New
    QPushButton* Command1; // Edit
    QPushButton* Command2; // Delete
    QPushButton* Command3; // Close

    void Form_Load();
    void setFG();
    void addFG();
    void Command4_Click();
    void Command1_Click();
    void FG_DblClick();
    void Command2_Click();
    void Command3_Click();

    // The key in column 0 of the selected row; 0 when no data row is selected.
    qint64 selectedKey() const;

private:
    class frmVideo* openEntry();

    AppContext& m_ctx;
};

// One entry of the video play list: the file's full path, a description and the active flag. lblRef
// holds the key of the entry being edited (empty for a new one). Saving an entry another workstation
// deleted meanwhile writes nothing, says so and keeps the boxes; Add New then keeps them for a new entry.
class frmVideo : public QWidget
{
    Q_OBJECT

public:
    explicit frmVideo(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* txtName;
    QPushButton* Command1; // browse
    QLineEdit* txtDesc;
    QCheckBox* chkActive;
    QPushButton* Command2; // Save
    QLabel* lblRef;

    // Empties the boxes for a new entry.
    void clearEntry();
    // What Add New does: empties the boxes, or, after Save found the entry deleted meanwhile, only the
    // key, so that Save stores what the boxes hold as a new entry.
    void startNew();
    bool entryDeletedMeanwhile() const { return m_entryDeleted; }
    // Loads the entry of that key into the boxes.
    void editEntry(qint64 key);

    void getData();
    void saveData();
    // False when the entry's row no longer exists; nothing was written then.
    bool updateData();
    void Command1_Click();
    void Command2_Click();

Q_SIGNALS:
    // After a Save, so the list can show the change.
    void saved();
    // After a Save that found the entry deleted meanwhile, so the list can drop it.
    void entryMissing();

private:
    // The entry as messages name it: its description, or its file when it has none.
    QString entryName() const;

    AppContext& m_ctx;
    bool m_entryDeleted = false;
};
