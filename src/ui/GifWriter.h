#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace skyvane {

// Encodes an image as a GIF89a file image. An image of at most 256 colours keeps every colour
// exactly; a richer one is reduced to a fixed palette with error diffusion. Alpha is dropped;
// pixels of the colour `transparent`, when given, are marked transparent in the file.
// Throws std::runtime_error when the image is empty or the encoder fails.
QByteArray EncodeGif(const QImage& image, std::optional<QRgb> transparent = std::nullopt);

// Writes the image as a GIF file at path, whatever the path's extension. The file appears only
// when complete; an earlier file of that name stays until then. Throws std::runtime_error when
// the image cannot be encoded, FileSaveError when the file cannot be written.
void WriteGif(const QImage& image, const QString& path,
              std::optional<QRgb> transparent = std::nullopt);

} // namespace skyvane
