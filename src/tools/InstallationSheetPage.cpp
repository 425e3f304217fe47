#include "InstallationSheetPage.h"

#include "DialogSeam.h"
#include "NumberText.h"
#include "ReportParts.h"

#include <QAction>
#include <QDialog>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QToolBar>

#include <qrencode.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

namespace skyvane {

namespace {

// The page is drawn in units of a thousandth of its width, whatever the device's resolution.
constexpr double kWidth = 1000.0;
constexpr double kHeight = 1414.0; // A4's proportions
constexpr double kMargin = 60.0;
constexpr double kLine = 30.0;

QString Label(const InstallationSheetPage& sheet, SheetLabel label) {
    return sheet.labels.value(int(label));
}

QFont SheetFont(double size, bool bold = false) {
    QFont font;
    font.setPixelSize(int(size));
    font.setBold(bold);
    return font;
}

QString Degrees(double value) {
    return FormatFixed(value, 2) + QChar(0x00B0);
}

// Caption and value, one line each, from `top`; returns the line below the last.
double DrawRows(QPainter& painter, double top, const QList<QStringList>& rows) {
    for (const QStringList& row : rows) {
        painter.drawText(QPointF(kMargin, top), row.value(0));
        painter.drawText(QPointF(kMargin + 260.0, top), row.mid(1).join(QLatin1Char(' ')));
        top += kLine;
    }
    return top;
}

QList<QStringList> FigureRows(const InstallationSheetPage& sheet) {
    const SheetFigures& f = sheet.figures;
    QList<QStringList> rows{{Label(sheet, SheetLabel::TrueAzimuth), Degrees(f.trueAzimuth)}};
    if (f.magneticAzimuth)
        rows << QStringList{Label(sheet, SheetLabel::MagneticAzimuth), Degrees(*f.magneticAzimuth)};
    rows << QStringList{Label(sheet, SheetLabel::Elevation), Degrees(f.elevation)};
    if (f.plateTilt)
        rows << QStringList{Label(sheet, SheetLabel::PlateTilt)
                                .replace(QLatin1String("%s"), FormatGeneral(sheet.offsetAngle)),
                            Degrees(*f.plateTilt)};
    rows << QStringList{Label(sheet, SheetLabel::Skew), Degrees(f.skew)};
    if (f.motorAngle)
        rows << QStringList{Label(sheet, SheetLabel::MotorAngle), Degrees(*f.motorAngle)};
    return rows;
}

// A clock face seen from behind the dish, with the LNB's polarisation line through it: the
// details window shows the feed from the front, where a positive skew turns it clockwise, so
// from behind it turns the other way.
void DrawSkewClock(QPainter& painter, const QPointF& centre, double radius, double skew,
                   const QString& caption) {
    painter.save();
    painter.setPen(QPen(Qt::black, 2.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);
    for (int hour = 0; hour < 12; ++hour) {
        const double angle = hour * std::numbers::pi / 6.0;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        const double inner = hour % 3 == 0 ? 0.80 : 0.88;
        painter.drawLine(centre + direction * radius * inner, centre + direction * radius * 0.97);
    }
    painter.setFont(SheetFont(18));
    painter.drawText(QRectF(centre.x() - 30, centre.y() - radius * 0.78, 60, 24), Qt::AlignCenter,
                     QStringLiteral("12"));
    const double turn = -skew * std::numbers::pi / 180.0;
    const QPointF axis(std::sin(turn), -std::cos(turn));
    painter.setPen(QPen(Qt::red, 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre - axis * radius * 0.7, centre + axis * radius * 0.7);
    painter.setBrush(Qt::red);
    painter.drawEllipse(centre + axis * radius * 0.7, 8.0, 8.0); // the LNB's top mark
    painter.setPen(Qt::black);
    painter.drawText(QRectF(centre.x() - 1.4 * radius, centre.y() + radius + 8, 2.8 * radius, 28),
                     Qt::AlignCenter, caption);
    painter.restore();
}

// Azimuth from true north across, elevation up; the horizon filled, the satellite on it.
void DrawHorizon(QPainter& painter, const QRectF& box, const InstallationSheetPage& sheet) {
    painter.save();
    const auto at = [&](double azimuth, double elevation) {
        return QPointF(box.left() + box.width() * azimuth / 360.0,
                       box.bottom() - box.height() * std::clamp(elevation, 0.0, 90.0) / 90.0);
    };
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    if (!sheet.horizon.empty()) {
        QPainterPath ground(at(0.0, 0.0));
        for (size_t degree = 0; degree <= sheet.horizon.size(); ++degree)
            ground.lineTo(at(double(degree), sheet.horizon[degree % sheet.horizon.size()]));
        ground.lineTo(at(360.0, 0.0));
        ground.closeSubpath();
        painter.setBrush(QColor(150, 150, 150));
        painter.drawPath(ground);
    }
    painter.setFont(SheetFont(16));
    painter.setPen(Qt::black);
    const char* points[] = {"N", "E", "S", "W", "N"};
    for (int i = 0; i <= 4; ++i)
        painter.drawText(QRectF(at(i * 90.0, 0.0).x() - 20, box.bottom() + 4, 40, 22),
                         Qt::AlignCenter, QString::fromLatin1(points[i]));
    const QPointF satellite = at(sheet.figures.trueAzimuth, sheet.figures.elevation);
    painter.setBrush(Qt::red);
    painter.setPen(Qt::red);
    painter.drawEllipse(satellite, 7.0, 7.0);
    painter.drawText(satellite + QPointF(10, -8), Degrees(sheet.figures.trueAzimuth) +
                                                      QStringLiteral(" / ") +
                                                      Degrees(sheet.figures.elevation));
    painter.restore();
}

void DrawQrCode(QPainter& painter, const QRectF& box, const QString& text) {
    const QByteArray data = text.toUtf8();
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(data.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code)
        return;
    const double module = box.width() / code->width;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                painter.drawRect(
                    QRectF(box.left() + x * module, box.top() + y * module, module, module));
    painter.restore();
}

} // namespace

void PaintInstallationSheet(QPainter& painter, QPagedPaintDevice& device,
                            const InstallationSheetPage& sheet) {
    const QRect page(0, 0, device.width(), device.height());
    const double scale = std::min(page.width() / kWidth, page.height() / kHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.setPen(Qt::black);

    painter.setFont(SheetFont(34, true));
    painter.drawText(QRectF(kMargin, 30, kWidth - 2 * kMargin, 50),
                     Qt::AlignLeft | Qt::AlignVCenter, sheet.title);
    painter.setFont(SheetFont(20));
    double top = DrawRows(painter, 130, sheet.siteRows);
    for (const QString& note : sheet.notes) {
        painter.drawText(QPointF(kMargin, top), note);
        top += kLine;
    }
    top += kLine / 2;
    painter.setFont(SheetFont(24, true));
    top = DrawRows(painter, top + 10, FigureRows(sheet));

    DrawSkewClock(painter, QPointF(790, 470), 120, sheet.figures.skew,
                  Label(sheet, SheetLabel::SkewFromBehind));

    top = std::max(top, 640.0) + kLine;
    painter.setFont(SheetFont(22, true));
    painter.drawText(QPointF(kMargin, top), sheet.outageHeading);
    painter.setFont(SheetFont(20));
    top += kLine;
    for (const QString& line : sheet.outageLines) {
        painter.drawText(QPointF(kMargin + 20, top), line);
        top += kLine;
    }

    const QRectF horizon(kMargin, std::max(top + 50, 1010.0), kWidth - 2 * kMargin - 240, 250);
    painter.setFont(SheetFont(22, true));
    painter.drawText(QPointF(horizon.left(), horizon.top() - 12),
                     Label(sheet, SheetLabel::Horizon));
    DrawHorizon(painter, horizon, sheet);
    const QRectF qr(kWidth - kMargin - 200, horizon.top(), 200, 200);
    DrawQrCode(painter, qr, sheet.geoUri);
    painter.setFont(SheetFont(16));
    painter.drawText(QRectF(qr.left() - 20, qr.bottom() + 6, qr.width() + 40, 44),
                     Qt::AlignHCenter | Qt::TextWordWrap,
                     Label(sheet, SheetLabel::Site) + QLatin1Char(' ') + sheet.geoUri);
    painter.restore();
}

void WriteInstallationSheetPdf(const QString& path, const InstallationSheetPage& sheet) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(file.errorString().toStdString());
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        pdf.setTitle(sheet.title);
        pdf.setCreator(QStringLiteral("Skyvane"));
        QPainter painter;
        if (!painter.begin(&pdf))
            throw std::runtime_error("The PDF could not be started.");
        PaintInstallationSheet(painter, pdf, sheet);
        painter.end();
    }
    if (!file.commit())
        throw std::runtime_error(file.errorString().toStdString());
}

void PreviewInstallationSheet(QWidget* parent, const InstallationSheetPage& sheet,
                              const QString& savePdfText) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(sheet.title);
    const auto savePdf = [parent, &sheet, savePdfText](QWidget* over) {
        SaveDialogRequest request;
        request.title = savePdfText;
        request.filter = QStringLiteral("PDF (*.pdf)");
        request.defaultSuffix = QStringLiteral("pdf");
        const QString path = DialogSeam::getSaveFileName(over ? over : parent, request);
        if (path.isEmpty())
            return;
        try {
            WriteInstallationSheetPdf(path, sheet);
        } catch (const std::exception& failure) {
            ReportSaveFailure(over ? over : parent, path, failure);
        }
    };
    DialogSeam::showPrintPreview(
        parent, printer,
        [&sheet](QPrinter& target) {
            QPainter painter(&target);
            PaintInstallationSheet(painter, target, sheet);
        },
        [&savePdf, savePdfText](QDialog& preview) {
            if (auto* tools = preview.findChild<QToolBar*>()) {
                QAction* save = tools->addAction(savePdfText);
                save->setObjectName(QStringLiteral("SaveSheetPdf"));
                QObject::connect(save, &QAction::triggered, &preview,
                                 [&savePdf, &preview] { savePdf(&preview); });
            }
        });
}

} // namespace skyvane
