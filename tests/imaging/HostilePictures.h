#pragma once

#include <QByteArray>

// Picture files that cost a decoder far more than their size says, written
// byte by byte. Each takes the amount of its costly part as a parameter, so
// that a sane twin of the same form can be written as well: the twin
// decodes, so a refusal of the hostile file is the decoder's limit at work.
namespace HostilePictures {

// A progressive JPEG (YCbCr or grey, no subsampling) whose every scan
// holds no data: each scan still visits every block of its components.
QByteArray jpegEmptyScans(int width, int height, int components, int scans);
// A baseline 8 by 8 grey JPEG, or a progressive one, carrying a comment of
// `bytes` bytes (in markers of 64 KB) before its frame.
QByteArray jpegWithComment(qint64 bytes, bool progressive);

// A TIFF whose strips (or square tiles, with `tile`) all point at one
// piece of zeros, deflated: a handful of bytes for any number of pixels.
struct TiffForm {
    int width;
    int height;
    int samples;   // 1 grey, 3 RGB, 4 RGBA
    int bits;      // 8 or 16
    int rows = 0;  // rows per strip; 0: the whole picture in one strip
    int tile = 0;  // tile side, a multiple of 16; 0: strips
};
QByteArray tiffSharedPieces(const TiffForm& form);
// A JPEG-compressed RGB TIFF in strips of `rows` rows, each strip a
// progressive stream of `scans` empty scans (one scan: baseline).
QByteArray tiffJpegStrips(int width, int height, int rows, int scans);

// A GIF of 16 by 16 pixels whose frame comes after `extensions` comment
// extensions of `subBlocks` sub-blocks each, and whose codes start with
// `clearCodes` clear codes.
QByteArray gif(int extensions, int subBlocks, int clearCodes, int width = 16, int height = 16);

// An RLE8 bitmap of 16 by 16 pixels whose first row holds `runs` runs of
// 255 pixels (a row needs 16).
QByteArray bmpRle8Runs(int runs);
// A 256-colour PCX whose rows are padded to `bytesPerLine` bytes.
QByteArray pcxPadded(int width, int height, int bytesPerLine);

// PNGs of one grey pixel (black) whose image data hold more than the
// picture needs: `zeros` more zero bytes after it, deflated about a
// thousand to one; or `blocks` empty deflate blocks before it, each of
// which makes inflate build its tables anew; or whose data come after
// `chunks` private chunks of `bytes` bytes.
QByteArray pngTrailingZeros(qint64 zeros, bool interlaced = false);
QByteArray pngEmptyBlocks(int blocks);
QByteArray pngAfterChunks(int chunks, int bytes);

// Metafiles framing 1024 by 1024 pixels: `count` drawings of a kind, in
// red, then a small blue square at the top left, drawn last. The last
// three kinds are one drawing of `count` parts: characters in a font one
// pixel high, points of polygons inside a path (a polygon fill in a
// Windows metafile, which has no paths) and points of a line; a Windows
// metafile, which counts them in 16 bits, spreads them over records of at
// most 65,535.
enum class Drawing { Rectangle, Star, NewFontText, Bitmap, TinyText, PathPoints, LinePoints };
QByteArray emf(Drawing kind, int count);
QByteArray wmf(Drawing kind, int count);

}  // namespace HostilePictures
