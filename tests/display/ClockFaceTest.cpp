#include "display/media/ClockFace.h"
#include "display/media/TimeFormat.h"
#include "display/media/frmSelectClock.h"

#include "testsupport/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

// A face with only a long red hour hand on a transparent drawing, so a grab shows where it points.
const QByteArray HourOnlyFace = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 200">
  <g id="dial"><circle cx="100" cy="100" r="99" fill="#000000"/></g>
  <g id="hour"><rect x="96" y="10" width="8" height="90" fill="#ff0000"/></g>
</svg>)";

QString shippedFaces()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("files/clock"));
}

bool isRed(const QColor& c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

TEST(ClockFaceTest, HandsStandAtTheAnglesOfTheClocksTime)
{
    const ClockFace::Hands h = ClockFace::handAngles(QTime(15, 30, 15));
    EXPECT_DOUBLE_EQ(h.hour, 90 + 15 + 0.125);
    EXPECT_DOUBLE_EQ(h.minute, 180 + 1.5);
    EXPECT_DOUBLE_EQ(h.second, 90);
    EXPECT_DOUBLE_EQ(ClockFace::handAngles(QTime(0, 0)).hour, 0);

    TestEnv env;
    env.writeFile(QStringLiteral("hour.svg"), HourOnlyFace);
    ClockFace face(env.clock);
    face.resize(200, 200);
    ASSERT_EQ(face.setFile(env.path(QStringLiteral("hour.svg")), QString()),
              env.path(QStringLiteral("hour.svg")));
    EXPECT_EQ(face.mode(), ClockFace::Mode::Face);

    env.clock.setTime(QTime(3, 0));
    QImage at3 = face.grab().toImage();
    EXPECT_TRUE(isRed(at3.pixelColor(160, 100))) << "at three the hand points right";
    EXPECT_FALSE(isRed(at3.pixelColor(40, 100)));
    EXPECT_FALSE(isRed(at3.pixelColor(100, 40)));

    env.clock.setTime(QTime(9, 0));
    QImage at9 = face.grab().toImage();
    EXPECT_TRUE(isRed(at9.pixelColor(40, 100)));
    EXPECT_FALSE(isRed(at9.pixelColor(160, 100)));
}

TEST(ClockFaceTest, OurFacesAreShippedAndAFileWeCannotShowGetsTheDefaultFace)
{
    const QString dir = shippedFaces();
    const QStringList faces = frmSelectClock::faces(dir);
    for (const char* name : {"classic.svg", "modern.svg", "digital.svg"})
        EXPECT_TRUE(faces.contains(QLatin1String(name))) << name;

    TestEnv env;
    ClockFace face(env.clock);
    face.resize(300, 150);
    const QString classic = QDir(dir).filePath(QStringLiteral("classic.svg"));
    env.clock.setTime(QTime(10, 9, 36));
    for (const QString& face1 : faces) {
        EXPECT_EQ(face.setFile(QDir(dir).filePath(face1), classic), QDir(dir).filePath(face1));
        EXPECT_EQ(face.mode(), ClockFace::Mode::Face) << qPrintable(face1);
        // A look at each face, when asked for.
        if (qEnvironmentVariableIsSet("BRIVANE_SHOTS"))
            face.grab().save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/clock-") + face1 +
                             QStringLiteral(".png"));
    }

    env.writeFile(QStringLiteral("clock1.swf"), "FWS\x09 a flash movie");
    EXPECT_EQ(face.setFile(env.path(QStringLiteral("clock1.swf")), classic), classic);
    EXPECT_EQ(face.setFile(env.path(QStringLiteral("gone.svg")), classic), classic);
    EXPECT_EQ(face.setFile(env.path(QStringLiteral("gone.svg")), QString()), QString());
    EXPECT_EQ(face.mode(), ClockFace::Mode::Builtin) << "still a clock, drawn without a file";

    QImage still(40, 20, QImage::Format_ARGB32);
    still.fill(Qt::blue);
    still.save(env.path(QStringLiteral("picture.png")));
    EXPECT_EQ(face.setFile(env.path(QStringLiteral("picture.png")), classic),
              env.path(QStringLiteral("picture.png")));
    EXPECT_EQ(face.mode(), ClockFace::Mode::Picture) << "shown as it is";
}

TEST(ClockFaceTest, TheDigitalFaceWritesTheTime)
{
    TestEnv env;
    env.writeFile(QStringLiteral("digits.svg"),
                  R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 400 200">
      <g id="dial"><rect width="400" height="200" fill="#000000"/></g>
      <rect id="digits" x="0" y="0" width="400" height="200" fill="#ffffff" data-format="HH:mm"/></svg>)");
    ClockFace face(env.clock);
    face.resize(400, 200);
    face.setFile(env.path(QStringLiteral("digits.svg")), QString());
    env.clock.setTime(QTime(11, 11));
    const QImage ones = face.grab().toImage();
    env.clock.setTime(QTime(8, 8));
    const QImage eights = face.grab().toImage();
    const auto white = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += qGray(img.pixel(x, y)) > 128;
        return n;
    };
    EXPECT_GT(white(ones), 500) << "the digits are drawn";
    EXPECT_GT(white(eights), white(ones)) << "and follow the clock";
}

TEST(ClockFaceTest, TheClockPickerPreviewsAFaceAndWritesItsNameIntoTheField)
{
    TestEnv env;
    QDir().mkpath(env.path(QStringLiteral("files/clock")));
    for (const char* name : {"modern.svg", "classic.svg"})
        QFile::copy(QDir(shippedFaces()).filePath(QLatin1String(name)),
                    env.path(QStringLiteral("files/clock/") + QLatin1String(name)));
    env.writeFile(QStringLiteral("files/clock/old.swf"), "FWS");
    QLineEdit field(QStringLiteral("modern.svg"));

    auto* picker = new frmSelectClock(env.dir.path(), env.clock, &field);
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("Select Clock"));
    ASSERT_EQ(picker->lstClock->count(), 2) << "a file no face can show is not offered";
    EXPECT_EQ(picker->lstClock->currentItem()->text(), QStringLiteral("modern.svg"))
        << "the field's face first";
    picker->lstClock->setCurrentRow(0);
    EXPECT_EQ(picker->Flash1->shownFile(), env.path(QStringLiteral("files/clock/classic.svg")));
    EXPECT_EQ(field.text(), QStringLiteral("modern.svg")) << "nothing written before Select";

    QPointer<frmSelectClock> alive(picker);
    picker->show();
    if (qEnvironmentVariableIsSet("BRIVANE_SHOTS"))
        picker->grab().save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/clock-picker.png"));
    picker->cmdSelect->click();
    EXPECT_EQ(field.text(), QStringLiteral("classic.svg"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull()) << "Select closes the picker";
}

TEST(TimeFormatTest, OlderClockFormatsAreReadAsTheyWereMeant)
{
    const QDateTime t(QDate(2026, 12, 9), QTime(14, 5, 7));
    const auto shown = [&](const char* f) { return t.toString(qtTimeFormat(QLatin1String(f))); };
    EXPECT_EQ(shown("dd/mm/yyyy hh:nn AM/PM"), QStringLiteral("09/12/2026 02:05 PM"));
    EXPECT_EQ(shown("dd/mm/yyyy hh:mm"), QStringLiteral("09/12/2026 14:05")) << "mm after hh: minutes";
    EXPECT_EQ(shown("hh:mm:ss"), QStringLiteral("14:05:07"));
    EXPECT_EQ(shown("mm:ss"), QStringLiteral("05:07")) << "mm before ss: minutes";
    EXPECT_EQ(shown("d mmm yyyy h:nn am/pm"), QStringLiteral("9 Dec 2026 2:05 pm"));
    EXPECT_EQ(shown("dddd, mmmm d"), QStringLiteral("Wednesday, December 9"));
    EXPECT_EQ(shown("\"Today\" dd-mm-yy"), QStringLiteral("Today 09-12-26"));

    // Formats written for Qt stay as they are.
    for (const char* f : {"dd-MMM-yyyy HH:mm", "HH:mm:ss", "dd.MM.yyyy h:mm AP", "'week' dd MMM"})
        EXPECT_EQ(qtTimeFormat(QLatin1String(f)), QLatin1String(f)) << f;
    EXPECT_EQ(qtTimeFormat(QString()), QString());
}

} // namespace
