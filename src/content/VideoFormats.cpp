#include "content/VideoFormats.h"

#include <QImageReader>

#include <algorithm>

#include <gst/gst.h>

namespace videoformats {

namespace {

struct Container
{
    std::initializer_list<const char*> endings;
    const char* demuxer;
    // Any one of these plays the videos such files usually hold.
    std::initializer_list<const char*> decoders;
};

const Container Containers[] = {
    {{"ogv", "ogg"}, "oggdemux", {"theoradec", "avdec_theora", "vp8dec"}},
    {{"webm"}, "matroskademux", {"vp8dec", "vp9dec", "avdec_vp8", "avdec_vp9", "dav1ddec", "av1dec"}},
    {{"mkv"}, "matroskademux", {"avdec_h264", "openh264dec", "vp8dec", "vp9dec", "theoradec"}},
    {{"mp4", "m4v", "mov"}, "qtdemux", {"avdec_h264", "openh264dec", "vah264dec", "vaapih264dec"}},
    {{"avi"}, "avidemux", {"jpegdec", "avdec_mpeg4", "avdec_msmpeg4", "avdec_h264"}},
    {{"wmv", "asf"}, "asfdemux", {"avdec_wmv1", "avdec_wmv2", "avdec_wmv3"}},
    {{"mpg", "mpeg", "dat"}, "mpegpsdemux", {"mpeg2dec", "avdec_mpeg2video", "avdec_mpeg1video"}},
};

} // namespace

QStringList patterns(const HasElement& has, const QList<QByteArray>& pictures)
{
    QStringList out;
    auto add = [&out](const QString& ending) {
        const QString pattern = QStringLiteral("*.") + ending.toLower();
        if (!out.contains(pattern))
            out.append(pattern);
    };
    for (const Container& c : Containers) {
        if (!has(c.demuxer))
            continue;
        if (!std::any_of(c.decoders.begin(), c.decoders.end(), [&has](const char* d) { return has(d); }))
            continue;
        for (const char* ending : c.endings)
            add(QString::fromLatin1(ending));
    }
    for (const QByteArray& picture : pictures) {
        // Formats a hall would not put on its board.
        if (picture == "pbm" || picture == "pgm" || picture == "ppm" || picture == "xbm" ||
            picture == "xpm" || picture == "svgz" || picture == "cur" || picture == "icns" ||
            picture == "ico")
            continue;
        add(QString::fromLatin1(picture));
        if (picture == "jpeg")
            add(QStringLiteral("jpg"));
    }
    return out;
}

QString filter(const QStringList& patterns)
{
    return QStringLiteral("Video Files (") + patterns.join(QLatin1Char(' ')) +
           QStringLiteral(");;All Files (*)");
}

QStringList installedPatterns()
{
    const bool ready = gst_init_check(nullptr, nullptr, nullptr);
    const HasElement has = [ready](const char* name) {
        if (!ready)
            return false;
        GstElementFactory* factory = gst_element_factory_find(name);
        if (!factory)
            return false;
        gst_object_unref(factory);
        return true;
    };
    return patterns(has, QImageReader::supportedImageFormats());
}

} // namespace videoformats
