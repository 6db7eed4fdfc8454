#include "content/VideoFormats.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(VideoFormats, OfferWhatTheBackEndPlaysAndThePicturesTheBoardShows)
{
    // A container is offered when its demuxer and a decoder for its usual videos are there.
    const std::set<std::string> elements{"oggdemux", "theoradec", "avidemux", "jpegdec", "qtdemux"};
    const auto has = [&elements](const char* name) { return elements.count(name) > 0; };
    EXPECT_EQ(videoformats::patterns(has, {"jpeg", "png", "svg", "ppm", "jpg"}),
              (QStringList{"*.ogv", "*.ogg", "*.avi", "*.jpeg", "*.jpg", "*.png", "*.svg"}));
    EXPECT_EQ(videoformats::filter({"*.ogv", "*.jpg"}),
              QStringLiteral("Video Files (*.ogv *.jpg);;All Files (*)"));

    // This workstation: the demo's own playlist (an Ogg video and SVG and JPEG pictures) is offered,
    // and what GStreamer's base and good plug-ins cannot play is not.
    const QStringList installed = videoformats::installedPatterns();
    EXPECT_TRUE(installed.contains(QStringLiteral("*.ogv")))
        << installed.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(installed.contains(QStringLiteral("*.svg")));
    EXPECT_TRUE(installed.contains(QStringLiteral("*.jpg")));
    EXPECT_TRUE(installed.contains(QStringLiteral("*.avi")));
    EXPECT_FALSE(installed.contains(QStringLiteral("*.wmv")));
}
