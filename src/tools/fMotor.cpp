#include "fMotor.h"

#include "Constants.h"
#include "FieldMark.h"
#include "FieldSize.h"
#include "HeadingBand.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "LookAngles.h"
#include "NumberText.h"
#include "ReportParts.h"
#include "ReportWriter.h"
#include "SaveDialogSettings.h"
#include "WindowPlacement.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

namespace skyvane {

namespace {

// Entries of texts that are put together with values.
enum MotorText {
    kModifiedText = 40,
    kArcText = 41,
    kSwingText = 42,
    kNoArcText = 43,
    kHeadingText = 44,
    kOutOfReachText = 45,
};

QString Degrees(double value, int decimals = 2) {
    return FormatFixed(value, decimals) + QStringLiteral("\u00b0");
}

// The site the window works for, from the main window's texts when no record gives it.
double SignedCoordinate(const QString& text, bool positive) {
    const double value = StrToFloatDot(text, true);
    return positive ? value : -value;
}

constexpr double kDefaultMinElevation = 5.0;
constexpr int kArcViewWidth = 380;  // pixels
constexpr int kArcViewHeight = 220; // pixels

} // namespace

MotorArcView::MotorArcView(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("arcView"));
    setMinimumSize(kArcViewWidth, kArcViewHeight);
}

QSize MotorArcView::sizeHint() const {
    return {kArcViewWidth, kArcViewHeight};
}

void MotorArcView::setArc(std::optional<ReachableArc> arc, bool southern, std::vector<Mark> marks) {
    m_arc = arc;
    m_southern = southern;
    m_marks = std::move(marks);
    update();
}

void MotorArcView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.base());
    const int margin = fontMetrics().height() * 2;
    const double radius = std::max(10.0, std::min(width() / 2.0 - margin, height() - 1.5 * margin));
    const QPointF centre(width() / 2.0, height() - margin);
    // A motor angle as a point of the half circle: 0° at the top; looking at the equator, East
    // is on the left in the north and on the right in the south.
    const auto pointAt = [&](double motorAngle, double r) {
        const double side = m_southern ? -1.0 : 1.0;
        const double a = DegToRad(side * motorAngle);
        return QPointF(centre.x() + r * std::sin(a), centre.y() - r * std::cos(a));
    };
    painter.setPen(QPen(colours.color(QPalette::Mid), 1));
    painter.drawLine(QPointF(centre.x() - radius - 8, centre.y()),
                     QPointF(centre.x() + radius + 8, centre.y()));
    QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.drawArc(circle, 0, 180 * 16);
    if (m_arc) {
        QPen reach(colours.color(QPalette::Highlight), 4);
        painter.setPen(reach);
        QPainterPath path;
        const double east = m_arc->eastMotorAngle;
        const double west = m_arc->westMotorAngle;
        path.moveTo(pointAt(east, radius));
        for (int step = 1; step <= 64; ++step)
            path.lineTo(pointAt(east + (west - east) * step / 64.0, radius));
        painter.drawPath(path);
    }
    painter.setPen(colours.color(QPalette::Text));
    // The sides under the horizon's ends, clear of the satellites' labels above it.
    const double sideTop = centre.y() + 2;
    painter.drawText(QRectF(centre.x() - radius - margin, sideTop, margin * 2, margin),
                     Qt::AlignCenter,
                     ConstantText(m_southern ? Constant::WestShort : Constant::EastShort));
    painter.drawText(QRectF(centre.x() + radius - margin, sideTop, margin * 2, margin),
                     Qt::AlignCenter,
                     ConstantText(m_southern ? Constant::EastShort : Constant::WestShort));
    for (const Mark& mark : m_marks) {
        const QPointF at = pointAt(mark.motorAngle, radius);
        const bool labelled = mark.chosen || mark.current;
        const QColor colour = mark.chosen    ? QColor(0xC0, 0x20, 0x20)
                              : mark.current ? QColor(0x20, 0x80, 0x20)
                                             : colours.color(QPalette::Text);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(at, labelled ? 5.0 : 2.5, labelled ? 5.0 : 2.5);
        if (!labelled)
            continue;
        const QPointF text = pointAt(mark.motorAngle, radius + margin * 0.6);
        painter.setPen(colour);
        const QRectF box(text.x() - 80, text.y() - margin / 2.0, 160, margin);
        painter.drawText(box, Qt::AlignCenter, mark.label);
    }
}

TfrmMotor::TfrmMotor(QWidget* owner, const ToolWindowLink& link)
    : QMainWindow(owner, Qt::Window)
    , m_link(link) {
    setObjectName(QStringLiteral("frmMotor"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Motor"));
    BuildWidgets();
    new WindowPlacement(this, QStringLiteral("frmMotor"));
    const SaveDialogTexts html = DefaultHtmlSaveDialogTexts();
    m_saveDialogHtml = new SaveDialogSettings(QStringLiteral("SaveDialogHTML"), html.defaultExt,
                                              html.filter, this);
    m_records = m_link.listedRecords();
    m_siteTaken = m_link.currentSite();
    if (!m_records.empty()) {
        m_latitude = m_records.front()->SiteLatitude;
        m_longitude = m_records.front()->SiteLongitude;
    } else {
        m_latitude = SignedCoordinate(m_siteTaken.latitudeText, m_siteTaken.latitudeNorth);
        m_longitude = SignedCoordinate(m_siteTaken.longitudeText, m_siteTaken.longitudeWest);
    }
    FillSatellites();
    new LanguageController(this, Translation(), [this] {
        UpdateHeading();
        Recalculate();
    });
    for (QLineEdit* edit : {edMinElevation, edOffset, edSpeed13, edSpeed18})
        connect(edit, &QLineEdit::textChanged, this, &TfrmMotor::Recalculate);
    for (QComboBox* box : {cbSatellite, cbFrom})
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            UpdateHeading();
            Recalculate();
        });
    UpdateHeading();
    Recalculate();
}

const WindowTranslation& TfrmMotor::Translation() {
    static const WindowTranslation table{
        "frmMotor",
        {
            {1, "", "Caption", "Motor"},
            {3, "lblHeading", "Caption", "Motor"},
            {4, "Datei1", "Caption", "&File"},
            {5, "ExporttoHTML1", "Caption", "Export to &HTML"},
            {6, "Close1", "Caption", "&Close"},
            {7, "SaveDialogHTML", "DefaultExt", "*.html"},
            {8, "SaveDialogHTML", "Filter",
             "HTML (*.html, *.htm)|*.html;*.htm|All extensions (*.*)|*.*"},
            {10, "grpSetUp", "Caption", "Polar mount set-up"},
            {11, "lblMotorElevation", "Caption", "Motor elevation"},
            {12, "lblDeclination", "Caption", "Declination offset"},
            {13, "lblMeridian", "Caption", "Dish elevation at the meridian"},
            {14, "lblDishScale", "Caption", "On the dish's scale"},
            {15, "lblModified", "Caption", "Modified polar mount"},
            {16, "lblArc", "Caption", "Reachable arc"},
            {17, "lblLimits", "Caption", "Motor angles at its ends"},
            {20, "grpOptions", "Caption", "Dish and motor"},
            {21, "lblMinElevation", "Caption", "Minimum elevation"},
            {22, "lblOffset", "Caption", "Dish offset angle"},
            {23, "lblSpeed13", "Caption", "Motor speed at 13 V"},
            {24, "lblSpeed18", "Caption", "Motor speed at 18 V"},
            {30, "grpSatellite", "Caption", "Satellite"},
            {31, "lblSatellite", "Caption", "Satellite"},
            {32, "lblMotorAngle", "Caption", "Motor angle"},
            {33, "lblGotoX", "Caption", "DiSEqC 1.2 Goto X"},
            {34, "lblFrom", "Caption", "The dish points at"},
            {35, "lblSwing", "Caption", "Swing time"},
            {kModifiedText, "MotorTexts", "Modified", "axis %s steeper, declination offset %s"},
            {kArcText, "MotorTexts", "Arc", "%s to %s"},
            {kSwingText, "MotorTexts", "Swing", "%s s at 13 V, %s s at 18 V"},
            {kNoArcText, "MotorTexts", "NoArc", "No part of the arc is that high here."},
            {kHeadingText, "MotorTexts", "Heading", "Motor for %s at %s"},
            {kOutOfReachText, "MotorTexts", "OutOfReach", "%s: below the minimum elevation"},
        },
        {"*.Font.Name", "val*", "*Unit.*", "ed*", "cb*"},
    };
    return table;
}

QString TfrmMotor::Text(int entry) const {
    return TranslatedText(Translation(), entry);
}

void TfrmMotor::BuildWidgets() {
    auto* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("Datei1"));
    m_exportHtml = fileMenu->addAction(QStringLiteral("Export to &HTML"));
    m_exportHtml->setObjectName(QStringLiteral("ExporttoHTML1"));
    QAction* close = fileMenu->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("Close1"));
    connect(m_exportHtml, &QAction::triggered, this, &TfrmMotor::ExportToHtml);
    connect(close, &QAction::triggered, this, &QWidget::close);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    m_heading = new HeadingBand(central);
    m_heading->setHeadingText(QStringLiteral("Motor"));
    outer->addWidget(m_heading);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    auto* left = new QVBoxLayout;
    left->addWidget(BuildOptionsBox());
    left->addWidget(BuildSatelliteBox());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(BuildSetUpBox());
    arcView = new MotorArcView(central);
    right->addWidget(arcView, 1);
    body->addLayout(left);
    body->addLayout(right, 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);
}

// A caption label with its English text from the entry table, which the language then replaces.
QLabel* TfrmMotor::NewCaption(QWidget* parent, const char* objectName) {
    auto* caption = new QLabel(parent);
    caption->setObjectName(QLatin1String(objectName));
    for (const TranslationEntry& entry : Translation().entries)
        if (qstrcmp(entry.objectName, objectName) == 0)
            caption->setText(QString::fromUtf8(entry.english));
    return caption;
}

QLabel* TfrmMotor::AddValueRow(QFormLayout* form, const char* captionName, const char* valueName) {
    QLabel* caption = NewCaption(form->parentWidget(), captionName);
    auto* value = new QLabel(form->parentWidget());
    value->setObjectName(QLatin1String(valueName));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(caption, value);
    m_captionOf.insert(value, caption);
    return value;
}

QLineEdit* TfrmMotor::AddInputRow(QFormLayout* form, const char* captionName, const char* editName,
                                  const char* unitName) {
    QLabel* caption = NewCaption(form->parentWidget(), captionName);
    auto* edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(QLatin1String(editName));
    FitEditTo(edit, FormatFixed(88.88, 2));
    auto* unit = new QLabel(QString::fromUtf8(unitName), form->parentWidget());
    unit->setObjectName(QLatin1String(editName) + QStringLiteral("Unit"));
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(unit);
    row->addStretch();
    form->addRow(caption, row);
    caption->setBuddy(edit);
    return edit;
}

QWidget* TfrmMotor::BuildSetUpBox() {
    auto* box = new QGroupBox(QStringLiteral("Polar mount set-up"));
    box->setObjectName(QStringLiteral("grpSetUp"));
    auto* form = new QFormLayout(box);
    valMotorElevation = AddValueRow(form, "lblMotorElevation", "valMotorElevation");
    valDeclination = AddValueRow(form, "lblDeclination", "valDeclination");
    valMeridian = AddValueRow(form, "lblMeridian", "valMeridian");
    valDishScale = AddValueRow(form, "lblDishScale", "valDishScale");
    valModified = AddValueRow(form, "lblModified", "valModified");
    valArc = AddValueRow(form, "lblArc", "valArc");
    valLimits = AddValueRow(form, "lblLimits", "valLimits");
    return box;
}

QWidget* TfrmMotor::BuildOptionsBox() {
    auto* box = new QGroupBox(QStringLiteral("Dish and motor"));
    box->setObjectName(QStringLiteral("grpOptions"));
    auto* form = new QFormLayout(box);
    edMinElevation = AddInputRow(form, "lblMinElevation", "edMinElevation", "\u00b0");
    edOffset = AddInputRow(form, "lblOffset", "edOffset", "\u00b0");
    edSpeed13 = AddInputRow(form, "lblSpeed13", "edSpeed13", "\u00b0/s");
    edSpeed18 = AddInputRow(form, "lblSpeed18", "edSpeed18", "\u00b0/s");
    edMinElevation->setText(FormatGeneral(kDefaultMinElevation));
    edOffset->setText(FormatGeneral(0.0));
    edSpeed13->setText(FormatGeneral(kMotorSpeed13V));
    edSpeed18->setText(FormatGeneral(kMotorSpeed18V));
    return box;
}

QWidget* TfrmMotor::BuildSatelliteBox() {
    auto* box = new QGroupBox(QStringLiteral("Satellite"));
    box->setObjectName(QStringLiteral("grpSatellite"));
    auto* form = new QFormLayout(box);
    const auto addCombo = [&](const char* captionName, const char* comboName) {
        QLabel* caption = NewCaption(box, captionName);
        auto* combo = new QComboBox(box);
        combo->setObjectName(QLatin1String(comboName));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        caption->setBuddy(combo);
        form->addRow(caption, combo);
        return combo;
    };
    cbSatellite = addCombo("lblSatellite", "cbSatellite");
    valMotorAngle = AddValueRow(form, "lblMotorAngle", "valMotorAngle");
    valGotoX = AddValueRow(form, "lblGotoX", "valGotoX");
    cbFrom = addCombo("lblFrom", "cbFrom");
    valSwing = AddValueRow(form, "lblSwing", "valSwing");
    return box;
}

void TfrmMotor::FillSatellites() {
    for (QComboBox* box : {cbSatellite, cbFrom}) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (size_t i = 0; i < m_records.size(); ++i)
            box->addItem(OrbitalPositionText(m_records[i]->Position) + QLatin1Char(' ') +
                             m_records[i]->Name.trimmed(),
                         int(i));
    }
    // The dish is taken to point at the satellite nearest the meridian until told otherwise.
    int nearest = -1;
    for (size_t i = 0; i < m_records.size(); ++i)
        if (nearest < 0 || std::fabs(MotorAngleOf(*m_records[i])) <
                               std::fabs(MotorAngleOf(*m_records[size_t(nearest)])))
            nearest = int(i);
    const QSignalBlocker quiet(cbFrom);
    cbFrom->setCurrentIndex(nearest);
}

void TfrmMotor::SetSatellite(const SatelliteRecord& record) {
    if (!record)
        return;
    m_latitude = record->SiteLatitude;
    m_longitude = record->SiteLongitude;
    m_siteTaken = RecordSiteFacts(m_link.currentSite(), m_latitude, m_longitude);
    int found = -1;
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i]->Position == record->Position && m_records[i]->Name == record->Name)
            found = int(i);
    if (found < 0) {
        m_records.push_back(record);
        FillSatellites();
        found = int(m_records.size()) - 1;
    }
    cbSatellite->setCurrentIndex(found);
    UpdateHeading();
    Recalculate();
}

SatelliteRecord TfrmMotor::ChosenRecord(const QComboBox* box) const {
    const int index = box->currentData().isValid() ? box->currentData().toInt() : -1;
    if (index < 0 || index >= int(m_records.size()))
        return nullptr;
    return m_records[size_t(index)];
}

void TfrmMotor::UpdateHeading() {
    const SatelliteRecord chosen = ChosenRecord(cbSatellite);
    const QString heading =
        chosen ? FormatPercentS(Text(kHeadingText),
                                {chosen->Name.trimmed(), OrbitalPositionText(chosen->Position)})
               : Text(3);
    m_heading->setHeadingText(heading);
    setWindowTitle(heading);
}

std::optional<double> TfrmMotor::ReadInput(QLineEdit* edit, double low, double high) {
    double value = 0.0;
    bool usable = false;
    try {
        value = StrToFloatDot(edit->text(), false);
        usable = std::isfinite(value) && value >= low && value <= high;
    } catch (const ConversionError&) {
        usable = false;
    }
    MarkRejected(edit, !usable);
    return usable ? std::optional<double>(value) : std::nullopt;
}

void TfrmMotor::Recalculate() {
    const auto minElevation = ReadInput(edMinElevation, 0.0, 89.0);
    const auto offset = ReadInput(edOffset, 0.0, 60.0);
    const auto speed13 = ReadInput(edSpeed13, 0.01, 100.0);
    const auto speed18 = ReadInput(edSpeed18, 0.01, 100.0);
    if (!minElevation || !offset || !speed13 || !speed18)
        return;
    const bool southern = m_latitude < 0.0;
    const auto arc = ComputeReachableArc(m_latitude, m_longitude, *minElevation);
    const double arcEnd = arc ? *VisibleArcHalfWidth(m_latitude, *minElevation) : 0.0;
    const PolarMountSetup setup = ComputePolarMountSetup(m_latitude, *offset, arcEnd);
    valMotorElevation->setText(Degrees(setup.motorElevation));
    valDeclination->setText(Degrees(setup.declinationOffset));
    valMeridian->setText(Degrees(setup.meridianElevation));
    valDishScale->setText(Degrees(setup.dishScaleElevation));
    valModified->setText(FormatPercentS(Text(kModifiedText), {Degrees(setup.modifiedCorrection),
                                                              Degrees(setup.modifiedDeclination)}));
    if (arc) {
        valArc->setText(FormatPercentS(Text(kArcText), {OrbitalPositionText(arc->eastmost),
                                                        OrbitalPositionText(arc->westmost)}));
        valLimits->setText(FormatPercentS(Text(kArcText), {MotorAngleText(arc->eastMotorAngle),
                                                           MotorAngleText(arc->westMotorAngle)}));
    } else {
        valArc->setText(Text(kNoArcText));
        valLimits->setText(QStringLiteral("-"));
    }

    const SatelliteRecord chosen = ChosenRecord(cbSatellite);
    const SatelliteRecord from = ChosenRecord(cbFrom);
    std::vector<MotorArcView::Mark> marks;
    for (const SatelliteRecord& record : m_records)
        marks.push_back({MotorAngleOf(*record), record->Name.trimmed(), record == chosen,
                         record == from && record != chosen});
    arcView->setArc(arc, southern, std::move(marks));
    if (!chosen) {
        for (QLabel* value : {valMotorAngle, valGotoX, valSwing})
            value->setText(QStringLiteral("-"));
        return;
    }
    const double angle = MotorAngleOf(*chosen);
    const bool reachable = chosen->Elevation >= *minElevation;
    valMotorAngle->setText(reachable
                               ? MotorAngleText(angle)
                               : FormatPercentS(Text(kOutOfReachText), {MotorAngleText(angle)}));
    valGotoX->setText(GotoXText(GotoXBytes(angle, southern)));
    if (from) {
        const double start = MotorAngleOf(*from);
        valSwing->setText(FormatPercentS(Text(kSwingText),
                                         {FormatFixed(SwingSeconds(start, angle, *speed13), 1),
                                          FormatFixed(SwingSeconds(start, angle, *speed18), 1)}));
    } else {
        valSwing->setText(QStringLiteral("-"));
    }
}

QStringList TfrmMotor::HtmlBodyLines() const {
    QStringList lines{QStringLiteral("<table>")};
    if (m_link.site)
        lines << SiteInformationRows({m_link.captions(), m_siteTaken});
    const auto row = [&lines](const QString& caption, const QString& value) {
        lines << HtmlInfoRow(HtmlEscape(caption + QLatin1Char(':')), HtmlEscape(value));
    };
    // Each input's caption is its edit's name with "lbl" for "ed".
    for (const QLineEdit* edit : {edMinElevation, edOffset, edSpeed13, edSpeed18}) {
        const auto* caption = findChild<QLabel*>(QStringLiteral("lbl") + edit->objectName().mid(2));
        const auto* unit = findChild<QLabel*>(edit->objectName() + QStringLiteral("Unit"));
        if (caption && unit)
            row(caption->text(), edit->text() + unit->text());
    }
    for (const QLabel* value : {valMotorElevation, valDeclination, valMeridian, valDishScale,
                                valModified, valArc, valLimits})
        row(m_captionOf.value(value)->text(), value->text());
    if (cbSatellite->currentIndex() >= 0)
        row(Text(31), cbSatellite->currentText());
    for (const QLabel* value : {valMotorAngle, valGotoX, valSwing})
        row(m_captionOf.value(value)->text(), value->text());
    lines << QStringLiteral("</table>");
    return lines;
}

void TfrmMotor::ExportToHtml() {
    ExportHtmlReport(this,
                     MenuSaveDialogTexts(m_exportHtml->text(), m_saveDialogHtml->filter(),
                                         m_saveDialogHtml->defaultExt()),
                     m_heading->heading()->text(), [this] { return HtmlBodyLines(); });
}

} // namespace skyvane
