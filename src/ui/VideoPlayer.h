#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

// One video area of a window: plays a file in it, or shows a live input (a camera) in it.
class VideoPlayer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~VideoPlayer() override = default;

    // The widget that shows the picture; the owner places it over its video area.
    virtual QWidget* widget() = 0;
    // Starts the file at a volume of 0..100. False when the file cannot be played at all; a file
    // found unplayable only later is reported by failed().
    virtual bool play(const QString& file, int volume) = 0;
    virtual void stop() = 0;
    // Shows input device number `device` (in the order of cameraNames()). False when there is none.
    virtual bool showCamera(int device) = 0;

Q_SIGNALS:
    void ended();  // the file played to its end
    void failed(); // the file turned out not to be playable
};

// Hands the board the sound player it keeps loaded with the chime.
class Chime
{
public:
    virtual ~Chime() = default;
};

// Makes the media players of a window; the real one uses Qt Multimedia, tests a scripted one.
class MediaPlayers
{
public:
    virtual ~MediaPlayers() = default;
    virtual std::unique_ptr<VideoPlayer> createVideo(QWidget* parent) = 0;
    // The names of the live inputs, in the order their numbers count.
    virtual QStringList cameraNames() const = 0;
    // A sound player given `file` at `volume` (hundredths: 9000 is 90 %); it plays nothing by itself.
    virtual std::unique_ptr<Chime> loadChime(const QString& file, int volume) = 0;
};

// QMediaPlayer and QVideoWidget over GStreamer; QCamera by QMediaDevices order.
class SystemMediaPlayers : public MediaPlayers
{
public:
    std::unique_ptr<VideoPlayer> createVideo(QWidget* parent) override;
    QStringList cameraNames() const override;
    std::unique_ptr<Chime> loadChime(const QString& file, int volume) override;
};
