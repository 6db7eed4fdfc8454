#include "ui/SoundPlayer.h"

#include "ui/ModalLoop.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

void SystemSoundPlayer::playToEnd(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return;
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    // The program waits here as behind a message box: no window goes away under the sound.
    ModalLoop keep(nullptr);
    QEventLoop loop;
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop,
                     [&](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
                             loop.quit();
                     });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, [&] { loop.quit(); });
    // A recording is a few seconds at most; never hang the program on a broken device.
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    player.setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    player.play();
    loop.exec();
}
