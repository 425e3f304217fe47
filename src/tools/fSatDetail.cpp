#include "fSatDetail.h"

#include "Constants.h"
#include "DialogSeam.h"
#include "GifWriter.h"
#include "HelpBinding.h"
#include "LanguageController.h"
#include "LookAngles.h"
#include "NumberText.h"
#include "ProductInfo.h"
#include "QuietFailure.h"
#include "ReadableColours.h"
#include "ReportFrame.h"
#include "ReportParts.h"
#include "ReportWriter.h"
#include "SatelliteTableModel.h"
#include "SaveDialogSettings.h"
#include "WindowPlacement.h"

#include <QBitmap>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStatusBar>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>

namespace skyvane {

namespace {

constexpr int kMargin = 20; // pixels between the drawing square's edge and the figure

const QColor kTeal(0, 128, 128);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kLightGrey(230, 230, 230);
const QColor kSkyline(176, 176, 176); // what the site's surroundings hide
const QColor kSkylineEdge(96, 96, 96);

const QString kGifFilter = QStringLiteral("GIF Image (*.gif)|*.GIF|All extensions (*.*)|*.*");

int Round(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// The point at `length` pixels from `from` in the direction `angle` (degrees, 0 pointing right,
// growing clockwise on screen), each coordinate rounded on its own.
QPoint PointAt(QPoint from, double length, double angle) {
    return {Round(from.x() + length * std::cos(DegToRad(angle))),
            Round(from.y() + length * std::sin(DegToRad(angle)))};
}

QPen SolidPen(const QColor& colour, int width = 1) {
    QPen pen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(width == 1);
    return pen;
}

QPen DottedPen(const QColor& colour) {
    QPen pen(colour, 1, Qt::DotLine, Qt::SquareCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
}

// The bitmap every drawing starts from: teal all over; a painter without antialiasing, its
// brush white, its pen solid black. Dotted lines and text are painted opaquely in the brush
// colour of the moment.
class DiagramPainter : public QPainter {
public:
    explicit DiagramPainter(QImage& bitmap)
        : QPainter(&bitmap) {
        setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing, false);
        fillRect(bitmap.rect(), kTeal);
        setBackgroundMode(Qt::OpaqueMode);
        UseBrush(Qt::white);
        setPen(SolidPen(Qt::black));
    }

    void UseBrush(const QColor& colour) {
        setBrush(colour);
        setBackground(colour);
    }

    // An ellipse in the box (x1, y1)-(x2, y2), right and bottom edge excluded.
    void EllipseInBox(int x1, int y1, int x2, int y2) {
        drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    }
};

// `size` in logical pixels; the bitmap holds `pixelRatio` device pixels for each, and drawing
// on it is scaled to match.
QImage BlankBitmap(QSize size, qreal pixelRatio) {
    QImage bitmap(size * pixelRatio, QImage::Format_RGB32);
    bitmap.setDevicePixelRatio(pixelRatio);
    bitmap.fill(kTeal);
    return bitmap;
}

QFont LetterFont() {
    QFont font;
    font.setPointSize(8);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void DrawCompassLetters(DiagramPainter& painter, const DiagramGeometry& g,
                        const CompassLetters& letters) {
    painter.setPen(SolidPen(Qt::black));
    painter.UseBrush(kTeal);
    const QFont font = LetterFont();
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    const int h = metrics.height();
    const auto write = [&](const QString& letter, auto place) {
        const int w = metrics.horizontalAdvance(letter);
        const QPoint topLeft = place(w);
        painter.setPen(kBlue);
        painter.drawText(topLeft.x(), topLeft.y() + metrics.ascent(), letter);
    };
    const int D = g.D, M = g.M;
    write(letters.north, [&](int w) { return QPoint((D - w) / 2, (M - h) / 2); });
    write(letters.south, [&](int w) { return QPoint((D - w) / 2, D - (h + M) / 2); });
    write(letters.west, [&](int w) { return QPoint((M - w) / 2, (D - h) / 2); });
    write(letters.east, [&](int w) { return QPoint(D - (w + M) / 2, (D - h) / 2); });
}

// A pie sector of the ellipse in the box (x1, y1)-(x2, y2), running counterclockwise on screen
// from the radial through `start` to the radial through `end`. Points name pixels, so the
// radials are aimed at pixel centres.
QPainterPath PieSector(const QRect& box, QPoint start, QPoint end) {
    const QRectF ellipse(box.x(), box.y(), box.width(), box.height());
    const QPointF centre = ellipse.center();
    const auto angleOf = [&](QPoint p) {
        return std::atan2(centre.y() - (p.y() + 0.5), (p.x() + 0.5) - centre.x()) * 180.0 / M_PI;
    };
    const double startAngle = angleOf(start);
    double sweep = angleOf(end) - startAngle;
    if (sweep <= 0)
        sweep += 360.0;
    QPainterPath path(centre);
    path.arcTo(ellipse, startAngle, sweep);
    path.closeSubpath();
    return path;
}

QString FileNameForUrl(QString name) {
    // A bare file name is a relative address: these characters would end or redirect it.
    name.replace(QLatin1Char('%'), QStringLiteral("%25"));
    name.replace(QLatin1Char('#'), QStringLiteral("%23"));
    name.replace(QLatin1Char('?'), QStringLiteral("%3F"));
    return HtmlEscape(name).replace(QLatin1Char('"'), QStringLiteral("&quot;"));
}

QString ImageCell(const QString& baseName, const char* suffix) {
    return QStringLiteral("<td><img src=\"") + FileNameForUrl(baseName + QLatin1String(suffix)) +
           QStringLiteral("\"></img></td>");
}

} // namespace

DiagramGeometry DiagramGeometryFor(QSize imageSize) {
    DiagramGeometry g{};
    g.D = std::min(imageSize.width() - 2, imageSize.height() - 2);
    g.M = kMargin;
    g.c = g.D / 2;
    g.L = g.D - 2 * g.M;
    g.R = g.L / 2;
    g.r8 = g.L / 8;
    g.r3 = g.L / 3;
    g.r10 = g.L / 10;
    g.r5 = g.L / 5;
    return g;
}

CompassLetters CurrentCompassLetters() {
    return {ConstantText(Constant::NorthShort), ConstantText(Constant::SouthShort),
            ConstantText(Constant::WestShort), ConstantText(Constant::EastShort)};
}

namespace {

// The ring between the rim and the skyline: elevation 0 at the rim, 90 at the centre.
void DrawSkyline(QPainter& painter, const DiagramGeometry& g, const HorizonMask& horizon,
                 double declination) {
    if (horizon.isEmpty())
        return;
    const double rim = g.c - g.M;
    std::vector<double> azimuths; // as shown, degrees
    for (int step = 0; step < 360; ++step)
        azimuths.push_back(step);
    for (const HorizonMask::Point& point : horizon.points())
        azimuths.push_back(std::fmod(point.azimuth + declination + 360.0, 360.0));
    std::sort(azimuths.begin(), azimuths.end());
    QPolygonF skyline;
    for (const double azimuth : azimuths) {
        const double elevation = std::clamp(horizon.elevationAt(azimuth - declination), 0.0, 90.0);
        const double radius = rim * (1.0 - elevation / 90.0);
        skyline << QPointF(g.c + radius * std::cos(DegToRad(azimuth - 90.0)),
                           g.c + radius * std::sin(DegToRad(azimuth - 90.0)));
    }
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    ring.addEllipse(QPointF(g.c, g.c), rim, rim);
    ring.addPolygon(skyline);
    ring.closeSubpath();
    painter.save();
    painter.setPen(SolidPen(kSkylineEdge));
    painter.setBrush(kSkyline);
    painter.drawPath(ring);
    painter.restore();
}

} // namespace

QImage DrawAzimuthDiagram(QSize size, double azimuth, const CompassLetters& letters,
                          qreal pixelRatio, const HorizonMask& horizon, double declination) {
    QImage bitmap = BlankBitmap(size, pixelRatio);
    const DiagramGeometry g = DiagramGeometryFor(size);
    const int D = g.D, M = g.M, c = g.c;
    DiagramPainter painter(bitmap);
    painter.EllipseInBox(M, M, D - M, D - M);
    DrawSkyline(painter, g, horizon, declination);
    painter.setPen(DottedPen(Qt::black));
    painter.drawLine(c, M, c, D - M);
    painter.drawLine(M, c, D - M, c);
    painter.setPen(SolidPen(kRed));
    painter.drawLine(QPoint(c, c), PointAt(QPoint(c, c), c - M, azimuth - 90.0));
    DrawCompassLetters(painter, g, letters);
    return bitmap;
}

QImage DrawElevationDiagram(QSize size, double elevation, qreal pixelRatio) {
    QImage bitmap = BlankBitmap(size, pixelRatio);
    const DiagramGeometry g = DiagramGeometryFor(size);
    const int D = g.D, M = g.M, R = g.R, L = g.L;
    DiagramPainter painter(bitmap);
    const QPoint axes[] = {{M, M}, {M, D - M}, {D - M, D - M}};
    painter.drawPolyline(axes, 3);

    const double radians = DegToRad(elevation);
    const int k = Round(R * std::sin(radians));
    if (D - M > D - M + 1 - k) {
        painter.setPen(Qt::NoPen);
        const QRect box(M - R, D - M + 1 - R, 2 * R, 2 * R);
        const QPoint start(M + R, D - M);
        const QPoint end(M + Round(R * std::cos(radians)), D - M + 1 - k);
        painter.drawPath(PieSector(box, start, end));
    }
    painter.setPen(SolidPen(kRed));
    painter.drawLine(QPoint(M, D - M), QPoint(M + Round(L * std::cos(radians)),
                                              D - M - Round(L * std::sin(radians))));
    return bitmap;
}

QImage DrawSkewDiagram(QSize size, double skew, qreal pixelRatio) {
    QImage bitmap = BlankBitmap(size, pixelRatio);
    const DiagramGeometry g = DiagramGeometryFor(size);
    const int D = g.D, M = g.M, c = g.c;
    const double q = skew - 90.0;
    DiagramPainter painter(bitmap);
    painter.setPen(DottedPen(kBlue));
    painter.drawLine(M, c, D - M, c);
    painter.drawLine(c, M, c, D - M);

    const auto component = [](int radius, double angle) {
        return QPointF(radius * std::cos(DegToRad(angle)), radius * std::sin(DegToRad(angle)));
    };
    const QPointF centre(c, c);
    const QPointF u = component(g.r8, q - 90.0);
    const QPointF v = component(g.r3, q - 5.0);
    const QPointF w = component(g.r3, q + 5.0);
    const auto rounded = [](QPointF p) { return QPoint(Round(p.x()), Round(p.y())); };
    const QPoint arm[] = {rounded(centre - u), rounded(centre + u), rounded(centre + u - v),
                          rounded(centre - u - w), rounded(centre - u)};
    painter.setPen(SolidPen(Qt::black));
    painter.UseBrush(kLightGrey);
    painter.drawPolygon(arm, 5);

    painter.setPen(SolidPen(Qt::black, 2));
    painter.EllipseInBox(c - g.r8, c - g.r8, c + g.r8, c + g.r8);
    painter.setPen(SolidPen(Qt::black));
    painter.UseBrush(Qt::white);
    painter.EllipseInBox(c - g.r10, c - g.r10, c + g.r10, c + g.r10);

    painter.setPen(DottedPen(kRed));
    const double cosQ = std::cos(DegToRad(q));
    const double sinQ = std::sin(DegToRad(q));
    painter.drawLine(QPoint(Round(c - 2 * g.r5 * cosQ), Round(c - 2 * g.r5 * sinQ)),
                     QPoint(Round(c + g.r5 * cosQ), Round(c + g.r5 * sinQ)));
    return bitmap;
}

namespace {

// "Azimuth: 150.08°", the caption above a diagram.
QString DiagramCaption(Constant caption, double degrees) {
    return ConstantText(caption) + QStringLiteral(": ") + FormatAngle(degrees) +
           QStringLiteral("°");
}

} // namespace

QString SiteLatitudeText(double latitude) {
    return DegreesWithLetter(
        latitude, 2, ConstantText(latitude >= 0 ? Constant::NorthShort : Constant::SouthShort));
}

QString SiteLongitudeText(double longitude) {
    return DegreesWithLetter(
        longitude, 2, ConstantText(longitude > 0 ? Constant::WestShort : Constant::EastShort));
}

QString ReportBaseName(const QString& pagePath) {
    const QString name = QFileInfo(pagePath).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QStringList DetailReportBody(const SiteReportInputs& site, const QString& baseName,
                             const QStringList& captions) {
    QStringList lines{QStringLiteral("<table>")};
    lines << SiteInformationRows(site);
    lines << QStringLiteral("</table>") << QStringLiteral("<br><br>") << QStringLiteral("<table>");
    lines << QStringLiteral("<tr>") + ImageCell(baseName, "_az.gif") +
                 ImageCell(baseName, "_el.gif") + ImageCell(baseName, "_sk.gif") +
                 QStringLiteral("</tr>");
    QStringList escaped;
    for (const QString& caption : captions)
        escaped << HtmlEscape(caption);
    lines << QStringLiteral("<tr><td>") + escaped.join(QStringLiteral("</td><td>")) +
                 QStringLiteral("</td></tr>");
    lines << QStringLiteral("</table>");
    return lines;
}

TfrmSatDetail::TfrmSatDetail(QWidget* owner, const ToolWindowLink& link)
    : QMainWindow(owner, Qt::Window)
    , m_link(link) {
    setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    HelpBinding::SetHelpContext(this, HelpContext::Details);
    UseLightBackdrop({Panel5, Panel1, Panel3});
    new WindowPlacement(this, QStringLiteral("frmSatDetail"));

    SaveDialog1 =
        new SaveDialogSettings(QStringLiteral("SaveDialog1"), QString(), kGifFilter, this);
    const SaveDialogTexts html = DefaultHtmlSaveDialogTexts();
    SaveDialogHTML = new SaveDialogSettings(QStringLiteral("SaveDialogHTML"), html.defaultExt,
                                            html.filter, this);
    SetUpPopupMenu();
    connect(ExporttoHTML1, &QAction::triggered, this, &TfrmSatDetail::ExporttoHTML1Click);
    connect(Close1, &QAction::triggered, this, &QWidget::close);
    new LanguageController(this, Translation(), [this] { LanguageController1LanguageChanged(); });
}

const WindowTranslation& TfrmSatDetail::Translation() {
    static const WindowTranslation table{
        "frmSatDetail",
        {
            {6, "lblLongitude", "Caption", "Longitude:"},
            {10, "lblLatitude", "Caption", "Latitude:"},
            {16, "pmSaveImage", "Caption", "&Save Image"},
            {17, "SaveDialog1", "Filter", "GIF Image (*.gif)|*.GIF|All extensions (*.*)|*.*"},
            {18, "Datei1", "Caption", "&File"},
            {19, "Close1", "Caption", "&Close"},
            {20, "ExporttoHTML1", "Caption", "Export to &HTML"},
            {21, "SaveDialogHTML", "DefaultExt", "*.html"},
            {22, "SaveDialogHTML", "Filter",
             "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*"},
        },
        {"*.Font.Name", "Label3.Caption", "lblHeading.*", "lblLat.*", "lblLong.*", "N1.*",
         "pnlAzimuth.*", "pnlElevation.*", "pnlSkew.*"},
    };
    return table;
}

void TfrmSatDetail::SetUpPopupMenu() {
    m_popupSave = new QMenu(this);
    m_popupSave->setObjectName(QStringLiteral("popupSave"));
    QAction* save = m_popupSave->addAction(QStringLiteral("&Save Image"));
    save->setObjectName(QStringLiteral("pmSaveImage"));
    connect(save, &QAction::triggered, this, &TfrmSatDetail::pmSaveImageClick);
    for (QLabel* image : {imgAzimuth, imgElevation, imgSkew}) {
        connect(image, &QWidget::customContextMenuRequested, this,
                [this, image](const QPoint& pos) { ImageContextPopup(image, pos); });
    }
}

void TfrmSatDetail::ImageContextPopup(QLabel* image, const QPoint& localPos) {
    m_popupComponent = image;
    m_popupSave->popup(image->mapToGlobal(localPos));
}

void TfrmSatDetail::SetSatellite(const SatelliteRecord& record) {
    if (!record)
        return;
    Satellite = *record;
    m_siteTaken =
        RecordSiteFacts(m_link.currentSite(), Satellite->SiteLatitude, Satellite->SiteLongitude);
    ShowCaption();
    lblLong->setText(SiteLongitudeText(Satellite->SiteLongitude));
    lblLat->setText(SiteLatitudeText(Satellite->SiteLatitude));
    DrawAzimuth();
    DrawElevation();
    DrawSkew();
    ShowDailyMovement();
}

namespace {

// The day's figure of eight as seen looking at the satellite: azimuth across (shrunk by the
// elevation's cosine, as an angle in the sky), elevation up, one scale for both, centred on the
// middle of its box.
QImage DailyPathImage(const std::vector<std::pair<double, double>>& path, const QPalette& colours) {
    constexpr int kSide = 96; // pixels
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(colours.color(QPalette::Base));
    if (path.size() < 2)
        return image;
    const double azimuth0 = path.front().first;
    double left = 0, right = 0, low = path.front().second, high = low;
    std::vector<QPointF> sky;
    for (const auto& [azimuth, elevation] : path) {
        const double across =
            std::remainder(azimuth - azimuth0, 360.0) * std::cos(DegToRad(elevation));
        sky.emplace_back(across, elevation);
        left = std::min(left, across), right = std::max(right, across);
        low = std::min(low, elevation), high = std::max(high, elevation);
    }
    const double span = std::max({right - left, high - low, 1e-6});
    const double scale = (kSide - 12) / span;
    const QPointF middle((left + right) / 2.0, (low + high) / 2.0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colours.color(QPalette::Mid), 1, Qt::DotLine));
    painter.drawLine(kSide / 2, 2, kSide / 2, kSide - 2);
    painter.drawLine(2, kSide / 2, kSide - 2, kSide / 2);
    QPolygonF line;
    for (const QPointF& point : sky)
        line << QPointF(kSide / 2.0 + (point.x() - middle.x()) * scale,
                        kSide / 2.0 - (point.y() - middle.y()) * scale);
    painter.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2));
    painter.drawPolyline(line);
    return image;
}

} // namespace

// Only a satellite that swings over the day gets the line, so the others keep their window.
void TfrmSatDetail::ShowDailyMovement() {
    if (!Satellite || !Satellite->movesDaily())
        return;
    if (!m_dailyMovement) {
        m_dailyPath = new QLabel(this);
        m_dailyPath->setObjectName(QStringLiteral("imgDailyPath"));
        statusBar()->addWidget(m_dailyPath);
        m_dailyMovement = new QLabel(this);
        m_dailyMovement->setObjectName(QStringLiteral("lblDailyMovement"));
        m_dailyMovement->setWordWrap(true);
        statusBar()->addWidget(m_dailyMovement, 1);
    }
    m_dailyPath->setPixmap(QPixmap::fromImage(DailyPathImage(Satellite->DailyPath, palette())));
    m_dailyMovement->setText(DailyMovementText(*Satellite));
}

void TfrmSatDetail::ShowCaption() {
    setWindowTitle(FormatConstant(Constant::DetailsForSatAtLoc,
                                  {Satellite->Name, OrbitalPositionText(Satellite->Position)}));
    Panel6->setHeadingText(windowTitle());
}

const QImage* TfrmSatDetail::BitmapSlot(const QLabel* image) const {
    if (image == imgAzimuth)
        return &m_azimuthBitmap;
    if (image == imgElevation)
        return &m_elevationBitmap;
    if (image == imgSkew)
        return &m_skewBitmap;
    return nullptr;
}

QImage TfrmSatDetail::Bitmap(const QLabel* image) const {
    const QImage* slot = BitmapSlot(image);
    return slot ? *slot : QImage();
}

// The saved and exported bitmap keeps its exact pixels; the screen gets one drawn at the
// screen's pixel ratio, so lines and letters stay sharp on a high-density screen. The teal
// background, the colour of the bottom-left pixel, lets the framed panel show through.
void TfrmSatDetail::ShowDiagram(QLabel* image, QImage& bitmap,
                                const std::function<QImage(qreal)>& draw) {
    bitmap = draw(1.0);
    const qreal ratio = image->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(ratio == 1.0 ? bitmap : draw(ratio));
    const QColor background = bitmap.pixelColor(0, bitmap.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(background, Qt::MaskInColor));
    image->setPixmap(pixmap);
}

void TfrmSatDetail::DrawAzimuth() {
    if (!Satellite)
        return;
    const CompassLetters letters = CurrentCompassLetters();
    ShowDiagram(imgAzimuth, m_azimuthBitmap, [&](qreal ratio) {
        return DrawAzimuthDiagram(imgAzimuth->size(), Satellite->Azimuth, letters, ratio,
                                  m_link.siteHorizon(), m_link.listDeclination());
    });
    pnlAzimuth->setText(DiagramCaption(Constant::Azimuth, Satellite->Azimuth));
}

void TfrmSatDetail::DrawElevation() {
    if (!Satellite)
        return;
    ShowDiagram(imgElevation, m_elevationBitmap, [&](qreal ratio) {
        return DrawElevationDiagram(imgElevation->size(), Satellite->Elevation, ratio);
    });
    pnlElevation->setText(DiagramCaption(Constant::Elevation, Satellite->Elevation));
}

void TfrmSatDetail::DrawSkew() {
    if (!Satellite)
        return;
    ShowDiagram(imgSkew, m_skewBitmap, [&](qreal ratio) {
        return DrawSkewDiagram(imgSkew->size(), Satellite->Skew, ratio);
    });
    pnlSkew->setText(DiagramCaption(Constant::Skew, Satellite->Skew));
}

void TfrmSatDetail::pmSaveImageClick() {
    QLabel* image = m_popupComponent;
    const QImage* bitmap = image ? BitmapSlot(image) : nullptr;
    if (!bitmap)
        return;
    SaveDialogRequest request = SaveRequestFromDialogTexts(
        MenuSaveDialogTexts(m_popupSave->actions().constFirst()->text(), SaveDialog1->filter(),
                            SaveDialog1->defaultExt()));
    // A file name here is preset in the dialog's current folder.
    request.directory = image->objectName() + QStringLiteral(".gif");
    const QString path = DialogSeam::getSaveFileName(this, request);
    if (path.isEmpty())
        return;
    try {
        WriteGif(*bitmap, path, kTeal.rgb());
    } catch (const std::exception& error) {
        ReportSaveFailure(this, path, error);
    }
}

void TfrmSatDetail::ExporttoHTML1Click() {
    const QString path = DialogSeam::getSaveFileName(
        this, SaveRequestFromDialogTexts(MenuSaveDialogTexts(
                  ExporttoHTML1->text(), SaveDialogHTML->filter(), SaveDialogHTML->defaultExt())));
    if (path.isEmpty())
        return;
    try {
        WriteReport(path);
    } catch (const std::exception& error) {
        // The files completed so far stay.
        ReportSaveFailure(this, path, error);
    }
}

void TfrmSatDetail::WriteReport(const QString& pagePath) const {
    const QString baseName = ReportBaseName(pagePath);
    const SiteReportInputs site{m_link.captions(), Satellite ? m_siteTaken : m_link.currentSite()};
    ReportWriter page(pagePath, ReportEncoding::Html1252);
    WriteHtmlHeader(page, Panel6->heading()->text());
    page.writeLines(DetailReportBody(site, baseName,
                                     {pnlAzimuth->text(), pnlElevation->text(), pnlSkew->text()}));
    WriteHtmlFooter(page, QString::fromLatin1(kProductVersion));
    page.commit();

    // The diagrams' teal ground is transparent in the files, so a page shows its own behind them.
    const QDir folder = QFileInfo(pagePath).absoluteDir();
    const QRgb ground = kTeal.rgb();
    WriteGif(m_azimuthBitmap, folder.filePath(baseName + QStringLiteral("_az.gif")), ground);
    WriteGif(m_elevationBitmap, folder.filePath(baseName + QStringLiteral("_el.gif")), ground);
    WriteGif(m_skewBitmap, folder.filePath(baseName + QStringLiteral("_sk.gif")), ground);
}

void TfrmSatDetail::LanguageController1LanguageChanged() {
    if (Satellite)
        ShowCaption();
    ShowDailyMovement();
}

} // namespace skyvane
