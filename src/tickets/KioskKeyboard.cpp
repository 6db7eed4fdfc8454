#include "tickets/KioskKeyboard.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "tickets/KioskSpeech.h"
#include "ui/Clock.h"
#include "ui/Grid.h"
#include "ui/Named.h"
#include "ui/Speech.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

KioskFocusMark::KioskFocusMark(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("focusMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void KioskFocusMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int half = thickness / 2;
    p.setPen(QPen(Qt::black, half, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(half / 2.0, half / 2.0, -half / 2.0, -half / 2.0));
    p.setPen(QPen(QColor(0xff, 0xd4, 0x00), half, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(rect()).adjusted(half * 1.5, half * 1.5, -half * 1.5, -half * 1.5));
}

KioskKeyboard::KioskKeyboard(AppContext& ctx, Grid* grid, std::function<void(int row)> take)
    : QObject(grid), m_ctx(ctx), m_grid(grid), m_take(std::move(take))
{
    mark = new KioskFocusMark(grid->viewport());
    quiet = named(new QTimer(this), "quietTimer");
    quiet->setSingleShot(true);
    quiet->setInterval(quietMs);
    connect(quiet, &QTimer::timeout, this, &KioskKeyboard::sleep);
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &KioskKeyboard::placeMark);
}

void KioskKeyboard::sleep()
{
    quiet->stop();
    keys.sleep();
    mark->hide();
}

void KioskKeyboard::setChoices(const QList<KioskKeys::Choice>& choices)
{
    keys.setChoices(choices);
    placeMark();
}

void KioskKeyboard::placeMark()
{
    const int row = keys.focusedRow();
    if (!keys.awake() || row < 1 || row >= m_grid->rows()) {
        mark->hide();
        return;
    }
    const QModelIndex index = m_grid->model()->index(row - 1, 1);
    m_grid->scrollTo(index);
    const QRect cell = m_grid->visualRect(index);
    mark->setGeometry(cell.adjusted(0, 0, 1, 1));
    mark->show();
    mark->raise();
}

bool KioskKeyboard::keyPressed(QKeyEvent* event)
{
    const KioskKeys::Action action = keys.press(event->key(), event->modifiers());
    if (action == KioskKeys::Action::None)
        return false;
    quiet->start();
    switch (action) {
    case KioskKeys::Action::Wake:
    case KioskKeys::Action::Help:
        sayFocused(kioskSpeech::help());
        break;
    case KioskKeys::Action::Moved:
        sayFocused();
        break;
    case KioskKeys::Action::NowServing:
        sayNowServing();
        break;
    case KioskKeys::Action::Take:
        if (m_take)
            m_take(keys.focusedRow());
        break;
    case KioskKeys::Action::None:
        break;
    }
    placeMark();
    return true;
}

void KioskKeyboard::say(const QString& text)
{
    if (m_ctx.speech)
        m_ctx.speech->say(text, Speech::voiceFor(QLocale()));
}

void KioskKeyboard::sayFocused(const QString& before)
{
    const KioskKeys::Choice* choice = keys.focusedChoice();
    QString text = before;
    if (choice) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += kioskSpeech::choice(choice->spoken, keys.focused(), int(keys.choices().size()));
    }
    say(text);
}

void KioskKeyboard::sayNowServing()
{
    try {
        say(kioskSpeech::nowServing(kioskSpeech::latestCalls(m_ctx.db, m_ctx.clock.today())));
    } catch (const DbError&) {
        say(kioskSpeech::serverLost());
    }
}

void KioskKeyboard::sayIssued(const QString& label, bool printed, const QString& wait)
{
    say(kioskSpeech::issued(label, printed, QString(), wait));
}

void KioskKeyboard::sayListed(const QString& heading)
{
    sayFocused(heading.trimmed().isEmpty() ? QString() : heading.trimmed() + QLatin1Char('.'));
    placeMark();
}

void KioskKeyboard::sayNotIssued()
{
    say(kioskSpeech::notIssued());
}

void KioskKeyboard::sayServerLost()
{
    say(kioskSpeech::serverLost());
}
