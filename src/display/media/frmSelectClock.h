#pragma once

#include <QPointer>
#include <QWidget>

class Clock;
class ClockFace;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Select Clock": the clock faces of files/clock, a running preview of the one clicked, and
// "Select", which writes the chosen file name (no folder) into the field it was given and closes.
class frmSelectClock : public QWidget
{
    Q_OBJECT

public:
    frmSelectClock(const QString& installDir, const Clock& clock, QLineEdit* clockField,
                   QWidget* parent = nullptr);

    QListWidget* lstClock;
    ClockFace* Flash1; // the preview
    QPushButton* cmdSelect;

    // The faces offered, by file name.
    static QStringList faces(const QString& folder);
    void select();

private:
    void preview();

    QString m_folder;
    QPointer<QLineEdit> m_field;
};
