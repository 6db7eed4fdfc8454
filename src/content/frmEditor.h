#pragma once

#include <QColor>
#include <QMainWindow>
#include <optional>
#include <utility>

struct AppContext;
class QAction;
class EditorRuler;
class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

// The news editor: writes one scroll news message (tblscroll) with its text, font, size, colour,
// active flag and direction. The rich-text box RichTextBox1 holds the message; the "Unicode News" box
// Text1 takes a plain message where the rich text is empty. lblRef holds the key of the message being
// edited (edit mode) or is empty (add mode). Closing the editor in any way emits closedEditor(), which
// the news list uses to fill again.
class frmEditor : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmEditor(AppContext& ctx, QWidget* parent = nullptr);

    QTextEdit* RichTextBox1;
    QLineEdit* Text1;      // "Unicode News"
    QComboBox* Combo1;     // font name
    QComboBox* Combo2;     // size
    QComboBox* Combo3;     // style
    QPushButton* Picture1; // text colour swatch
    QPushButton* Picture2; // back colour swatch
    QCheckBox* chkActive;
    QComboBox* cmbSpeed;
    QComboBox* cmbDir;
    QPushButton* Command1; // close
    QLabel* lblRef;
    EditorRuler* ruler;
    QLabel* status; // the status bar's "status" panel
    QLabel* capsPanel;
    QLabel* datePanel;
    QLabel* timePanel;

    bool editMode() const { return m_editMode; }
    // Add mode: empty editor, no key.
    void beginAdd();
    // Edit mode on that message, loaded from the store.
    void beginEdit(qint64 key);

    void Form_Load();
    void getheadDetails(qint64 key);
    // Stores the message (insert in add mode, update in edit mode) and closes; with both texts empty
    // nothing is stored and the editor stays open. False when nothing was stored.
    bool saveMessage();
    enum class Stored { Yes, NothingToStore, No };
    // Stores the message and leaves the editor open. No: refused or failed, the user was told and
    // the text is still there. A message deleted meanwhile on another workstation is said to be gone,
    // and the text is offered to be stored as a new message.
    Stored storeMessage();
    // True while the editor holds text that is not stored.
    bool holdsUnsavedText() const;
    // The text in the list's question when the editor holds unsaved text and is to take another message.
    QString unsavedQuestion() const;
    static QString deletedMeanwhileText();

    // Menu and toolbar commands.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSaveAs_Click();
    // A file dropped on the window: the same question as Open, then the file.
    void dropFile(const QString& fileName);
    void mnuPrint_Click();
    void mnuExit_Click();
    void setBold();
    void setItalic();
    void setUnderline();
    void setStrikeout();
    void setBullets();
    void setAlignment(Qt::Alignment alignment);
    void chooseFont();
    void chooseForeColour();
    void chooseBackColour();
    void mnuFind_Click();
    // The next occurrence of the text last looked for; false when there is none.
    bool findNext();
    void mnuReplace_Click();
    void mnuReplaceAll_Click();
    void mnuTabs_Click();
    void setUpperCase(bool upper);
    void deleteSelection();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void cmbSpeed_Click();

    QColor swatchColor() const { return m_textColor; }
    void setSwatchColor(const QColor& color);
    // The colour of text without a colour of its own: shown in the rich-text box and stored when such text
    // is at the cursor. Black for a new message, the stored colour for a loaded one.
    QColor plainTextColor() const { return m_plainColor; }
    void setPlainTextColor(const QColor& color);
    QColor backSwatchColor() const { return m_backColor; }
    void setBackSwatchColor(const QColor& color);
    // Caps lock, date and time in the status bar.
    void updateStatusPanels();

Q_SIGNALS:
    void closedEditor();

protected:
    void closeEvent(QCloseEvent* event) override;
    // The editor's own menu keys act in the editor while it has the focus, also where the main
    // window gives the same keys to a command of its own for the whole program (Ctrl+N, Ctrl+D).
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    // The editor's action whose shortcut is this key, if any.
    QAction* ownActionFor(const QKeyEvent& key) const;
    void updateFromCursor();
    // Asks about changed text before it is replaced; false when the user cancelled, a Yes-save closed
    // the editor, or the save failed (the text stays).
    bool confirmDiscard();
    bool loadFile(const QString& fileName);
    void showError(const QString& text);
    std::optional<std::pair<QString, QString>> askReplace(const QString& title);
    // The colour dialog; the colour chosen goes on the selection as its text or back colour.
    std::optional<QColor> pickColour(const QColor& initial, int brushProperty);

    AppContext& m_ctx;
    bool m_editMode = false;
    QColor m_textColor = Qt::black;
    QColor m_plainColor = Qt::black;
    QColor m_backColor = Qt::white;
    QString m_findText;
    QString m_replaceText;
    QAction* m_bold = nullptr;
    QAction* m_italic = nullptr;
    QAction* m_underline = nullptr;
    QAction* m_strike = nullptr;
    QAction* m_bullets = nullptr;
    QAction* m_left = nullptr;
    QAction* m_center = nullptr;
    QAction* m_right = nullptr;
};
