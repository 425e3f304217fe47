#include "GifWriter.h"

#include "CheckedCommit.h"

#include <QHash>
#include <QVector>

#include <gif_lib.h>

#include <memory>
#include <stdexcept>

namespace skyvane {

namespace {

constexpr int kMaxPaletteSize = 256;

struct IndexedPicture {
    QVector<QRgb> palette;
    QVector<GifByteType> pixels; // row by row, one palette index per pixel
};

std::runtime_error GifError(const QString& text) {
    return std::runtime_error(text.toStdString());
}

// Every colour of the image in first-seen order, or an empty picture when there are too many.
IndexedPicture ExactPalette(const QImage& rgb) {
    IndexedPicture picture;
    QHash<QRgb, int> indexOf;
    picture.pixels.reserve(rgb.width() * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = qRgb(qRed(line[x]), qGreen(line[x]), qBlue(line[x]));
            auto found = indexOf.constFind(colour);
            if (found == indexOf.constEnd()) {
                if (picture.palette.size() == kMaxPaletteSize)
                    return {};
                found = indexOf.insert(colour, int(picture.palette.size()));
                picture.palette << colour;
            }
            picture.pixels << GifByteType(found.value());
        }
    }
    return picture;
}

IndexedPicture QuantisedPalette(const QImage& rgb) {
    const QImage indexed = rgb.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    IndexedPicture picture;
    picture.palette = indexed.colorTable();
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar* line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x)
            picture.pixels << line[x];
    }
    return picture;
}

// GIF colour tables hold a power of two entries, at least two.
int ColourTableSize(qsizetype colours) {
    int size = 2;
    while (size < colours)
        size *= 2;
    return size;
}

int BitsPerColour(int tableSize) {
    int bits = 1;
    while ((1 << bits) < tableSize)
        ++bits;
    return bits;
}

int AppendToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};

void Check(int result, GifFileType* gif, const char* step) {
    if (result != GIF_OK)
        throw GifError(QStringLiteral("GIF encoding failed (%1): %2")
                           .arg(QLatin1String(step), QLatin1String(GifErrorString(gif->Error))));
}

// The graphics control block that names the transparent palette entry.
void PutTransparency(GifFileType* gif, int index) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.UserInputFlag = false;
    control.DelayTime = 0;
    control.TransparentColor = index;
    GifByteType block[4];
    const size_t length = EGifGCBToExtension(&control, block);
    Check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), block), gif, "transparency");
}

QByteArray EncodeIndexed(const IndexedPicture& picture, int width, int height,
                         int transparentIndex) {
    const int tableSize = ColourTableSize(picture.palette.size());
    QVector<GifColorType> colours(tableSize, GifColorType{0, 0, 0});
    for (qsizetype i = 0; i < picture.palette.size(); ++i) {
        const QRgb c = picture.palette[i];
        colours[i] =
            GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    ColorMapObject* map = GifMakeMapObject(tableSize, colours.constData());
    if (!map)
        throw GifError(QStringLiteral("GIF encoding failed: out of memory"));
    std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> mapOwner(map, GifFreeMapObject);

    QByteArray bytes;
    int error = 0;
    GifFileType* opened = EGifOpen(&bytes, AppendToBuffer, &error);
    if (!opened)
        throw GifError(
            QStringLiteral("GIF encoding failed: %1").arg(QLatin1String(GifErrorString(error))));
    std::unique_ptr<GifFileType, GifCloser> gif(opened);
    EGifSetGifVersion(gif.get(), true);
    Check(EGifPutScreenDesc(gif.get(), width, height, BitsPerColour(tableSize), 0, map), gif.get(),
          "screen");
    if (transparentIndex >= 0)
        PutTransparency(gif.get(), transparentIndex);
    Check(EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr), gif.get(), "image");
    for (int y = 0; y < height; ++y) {
        auto* line = const_cast<GifByteType*>(picture.pixels.constData() + qsizetype(y) * width);
        Check(EGifPutLine(gif.get(), line, width), gif.get(), "pixels");
    }
    const int closed = EGifCloseFile(gif.release(), &error);
    if (closed != GIF_OK)
        throw GifError(
            QStringLiteral("GIF encoding failed: %1").arg(QLatin1String(GifErrorString(error))));
    return bytes;
}

} // namespace

QByteArray EncodeGif(const QImage& image, std::optional<QRgb> transparent) {
    if (image.isNull())
        throw GifError(QStringLiteral("GIF encoding failed: the picture is empty"));
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    IndexedPicture picture = ExactPalette(rgb);
    if (picture.palette.isEmpty())
        picture = QuantisedPalette(rgb);
    const int transparentIndex =
        transparent ? int(picture.palette.indexOf(
                          qRgb(qRed(*transparent), qGreen(*transparent), qBlue(*transparent))))
                    : -1;
    return EncodeIndexed(picture, rgb.width(), rgb.height(), transparentIndex);
}

void WriteGif(const QImage& image, const QString& path, std::optional<QRgb> transparent) {
    QString reason;
    if (WriteFileChecked(path, EncodeGif(image, transparent), reason))
        return;
    throw FileSaveError(QStringLiteral("Cannot write the GIF file"), path, reason);
}

} // namespace skyvane
