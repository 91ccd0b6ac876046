#pragma once

#include "base/error.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QVariant>
#include <optional>

namespace pictures {

// Every failure raises base::Error; its text is what the learner reads.
using base::Error;

struct Frame
{
    QImage image;    // the full composited frame, ARGB32 or RGB32
    int delayMs = 0; // as stored in the file; see playbackDelayMs()
};

struct Picture
{
    QList<Frame> frames; // composited full frames, ARGB32 or RGB32
    int loopCount = 0;   // how many times the frames are played; 0 = forever
    QSize size() const;
    bool isNull() const;
    bool isAnimated() const;
};

// What a hostile file may cost; a real question picture, a few hundred pixels a side, never comes
// near. A picture is refused from the sizes its header declares, before its pixels are allocated.
// maxFramePixels bounds one picture (16 MB as ARGB), maxPixels all frames together, since every
// frame of an animation is kept composited in memory (64 MB).
struct Limits
{
    int maxSide = 4096;
    qint64 maxFramePixels = qint64(4) * 1024 * 1024;
    qint64 maxPixels = qint64(16) * 1024 * 1024;
    int maxFrames = 1000;
};

Picture decodeJpeg(const QByteArray& bytes); // throws Error
Picture decodeGif(const QByteArray& bytes);  // throws Error
Picture decodeJpeg(const QByteArray& bytes, const Limits& limits);
Picture decodeGif(const QByteArray& bytes, const Limits& limits);

// Decodes by the file name's extension, compared without regard to case. Throws Error with
// "Cannot open file "%s". %s" for a file that cannot be read and "未知的图象文件扩展名 (.%s)" for
// an extension not in the list.
Picture loadPictureFile(const QString& path);

// A stored text that counts as absent: "NULL", Null, or nothing left after trimming codes up to 32.
bool namesNothing(const QVariant& field);

// The stored-name rule: std::nullopt when the field names no picture ("NULL", Null, or nothing
// left after trimming codes up to 32), else programFolder + "upload/" + the field as stored, its
// backslashes taken as folder separators and, when no file has the exact name, a file whose name
// differs only in letter case.
std::optional<QString> picturePath(const QVariant& field, const QString& programFolder);

// How long a frame stays on screen: browsers play a stored delay of 0 or 1 hundredth at ten
// frames a second.
int playbackDelayMs(const Frame& frame);

} // namespace pictures
