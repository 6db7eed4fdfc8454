#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// What the video entry's file picker offers: the video files the installed media back end can play
// and the pictures the display board can show.
namespace videoformats {

// Whether the media back end has the element of that name ("oggdemux", "theoradec").
using HasElement = std::function<bool(const char* name)>;

// "*.ogv *.webm …" for each container whose demuxer and one of whose usual video decoders are
// there, then the picture formats given ("*.jpg *.svg …"), without repeats, in that order.
QStringList patterns(const HasElement& has, const QList<QByteArray>& pictures);

// The picker's filter: "Video Files (…)" with the patterns, then "All Files (*)".
QString filter(const QStringList& patterns);

// The patterns for this workstation: what GStreamer (the media back end) has the elements for and
// what QImageReader reads.
QStringList installedPatterns();

} // namespace videoformats
