#include "core/PasswordHash.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <gtest/gtest.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir =
            QDir::tempPath() + QStringLiteral("/brivane-test-runtime-") + QString::number(getuid());
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Tests log in many times: hashes with the smallest parameters (the program uses the real ones).
    passwords::useCheapHashingForTests();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
