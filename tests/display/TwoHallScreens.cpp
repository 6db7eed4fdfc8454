// The display tests run on two virtual screens of 1920 x 1080 side by side, as a hall PC with its
// desk monitor and the hall screen: the board's sizes are measured at the size it is made for, and a
// "Dual" board has its second screen. Set up before the test program makes its application.
#include <QDir>
#include <QFile>
#include <QtGlobal>
#include <unistd.h>

namespace {

bool useTwoScreens()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false; // a real or differently set up screen is taken as it is
    const QString file = QDir::tempPath() + QStringLiteral("/brivane-test-screens-%1.json").arg(getpid());
    QFile json(file);
    if (!json.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    json.write(R"({"screens": [
        {"name": "Desk", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "Hall", "x": 1920, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}
    ]})");
    json.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.toLocal8Bit());
    return true;
}

const bool twoScreens = useTwoScreens();

} // namespace
