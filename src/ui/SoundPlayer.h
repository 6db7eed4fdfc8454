#pragma once

#include <QString>
#include <QStringList>

// Plays a recording file to its end before returning. A missing file, or a machine without an audio
// device, plays nothing.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void playToEnd(const QString& file) = 0;
};

// Qt Multimedia player (GStreamer backend).
class SystemSoundPlayer : public SoundPlayer
{
public:
    void playToEnd(const QString& file) override;
};
