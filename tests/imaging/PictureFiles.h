#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <initializer_list>

#include "imaging/PictureDecoder.h"

// Test pictures: patterns drawn by the tests, turned into files by
// ImageMagick or written byte by byte.
namespace PictureFiles {

enum class Pattern { Mono, Sixteen, Palette, Colour, Blocks, Grey };

// A picture whose pixel values the tests know; odd sizes test row padding.
QImage pattern(Pattern kind, int width = 37, int height = 23);

// ImageMagick's convert: the Debian binary itself when it is there.
QString convertProgram();
// Runs convert with the arguments; the output file's bytes, empty on failure.
QByteArray convert(const QString& folder, const QImage& source, const QStringList& options,
                   const QString& output);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& data);

// Largest difference of any channel between two pictures of the same size
// (255 when the sizes differ); alpha is compared when `withAlpha`.
int maxDifference(const QImage& a, const QImage& b, bool withAlpha = false);
// Mean difference of the colour channels of two pictures of the same size.
double meanDifference(const QImage& a, const QImage& b);

// The file cut to each size, and empty, gives no picture.
void expectCutShortGivesNothing(const QByteArray& whole, PictureFormat format,
                                std::initializer_list<qsizetype> sizes);
// Copies of the file with a few bits flipped, each round more, every other
// round within the first `head` bytes (0: anywhere): each may decode into a
// wrong picture, but never crashes (under a sanitizer this is where memory
// faults show) and never gives a null one.
void expectBentCopiesNeverCrash(const QByteArray& whole, PictureFormat format, uint32_t seed,
                                int rounds, qsizetype head = 0);

}  // namespace PictureFiles
