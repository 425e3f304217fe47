#include "fObstacles.h"

#include "Constants.h"
#include "FieldMark.h"
#include "FieldSize.h"
#include "HelpBinding.h"
#include "LanguageController.h"
#include "LanguageManager.h"
#include "NumberText.h"
#include "ReadableColours.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QLayout>
#include <QPalette>
#include <QPixmap>
#include <QShowEvent>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace skyvane {

namespace {

// The client area below the menu: the picture's 518 rows, of which the status bar takes the
// last 19.
constexpr int kClientWidth = 700;    // pixels
constexpr int kStatusBarHeight = 19; // pixels
constexpr int kCentralHeight = 518 - kStatusBarHeight;
constexpr int kNoteLeft = 304; // where the height note begins, pixels
constexpr int kUnitGap = 3;    // between an edit and its unit, pixels

// The widest values the edits are made to show whole: an elevation below 90 degrees, and
// lengths up to 100 km.
constexpr double kWidestElevation = 88.88; // degrees
constexpr double kWidestLength = 88888.88; // metres

// A corrected input or a written result recalculates once more, and that run finds nothing
// left to change; the limit only keeps a value that never settles from recursing without end.
constexpr int kMaxRecalculationDepth = 4;

constexpr double kStartElevation = 30.0; // degrees
constexpr double kStartHeight = 10.0;    // metres

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

void SetBackground(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The captions stand beside fixed points of the drawing; a longer text grows away from that
// point: a right-aligned caption to the left, a centred one to both sides.
void PlaceAtAnchor(QLabel* label, int minimumWidth) {
    // The place the form gives, kept from the first call so that later texts grow from it.
    constexpr char kFormPlace[] = "formGeometry";
    if (!label->property(kFormPlace).isValid())
        label->setProperty(kFormPlace, label->geometry());
    const QRect old = label->property(kFormPlace).toRect();
    const int width = std::max(minimumWidth, label->sizeHint().width());
    const int height = std::max(old.height(), label->sizeHint().height());
    const Qt::Alignment alignment = label->alignment();
    int left = old.left();
    if (alignment & Qt::AlignRight)
        left = old.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        left = old.center().x() - width / 2;
    label->setGeometry(left, old.center().y() - height / 2, width, height);
}

// Grows to its size hint, never wider than `maximumWidth`; a word-wrapping label takes the
// lines that width needs.
void GrowDownToFit(QWidget* widget, int minimumHeight, int maximumWidth = QWIDGETSIZE_MAX) {
    const int width = std::min(maximumWidth, std::max(widget->width(), widget->sizeHint().width()));
    const int height =
        std::max(minimumHeight, widget->hasHeightForWidth() ? widget->heightForWidth(width)
                                                            : widget->sizeHint().height());
    widget->resize(width, height);
}

} // namespace

TfrmObstacles::TfrmObstacles(QWidget* owner, const ToolWindowLink& link)
    : QMainWindow(owner, Qt::Window)
    , m_link(link) {
    setupUi(this);
    centralwidget->setFixedSize(kClientWidth, kCentralHeight);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    HelpBinding::SetHelpContext(this, HelpContext::Obstacles);
    new WindowPlacement(this, QStringLiteral("frmObstacles"));
    Panel6->setHeadingText(QStringLiteral("Obstacle calculator"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/obstacles.png")));
    SetUpColours();
    ConnectHandlers();
    FormCreate();
    PlaceCaptions();
    new LanguageController(this, Translation(), [this] { LanguageController1LanguageChanged(); });
}

const WindowTranslation& TfrmObstacles::Translation() {
    static const WindowTranslation table{
        "frmObstacles",
        {
            {1, "", "Caption", "Obstacle calculator"},
            {3, "lblHeading", "Caption", "Obstacle calculator"},
            {6, "lblElevation", "Caption", "Elevation"},
            {7, "lblDistance", "Caption", "Distance"},
            {8, "lblHeight", "Caption", "Height"},
            {10, "lblCalc", "Caption", "Which value do you want to calculate?"},
            {11, "rbElevation", "Caption", "Minimum elevation of antenna"},
            {12, "rbDistance", "Caption", "Minimum distance to obstacle"},
            {13, "rbHeight", "Caption", "Maximum height of obstacle"},
            {14, "lblHeightInfo", "Caption",
             "Height: difference between total height of the obstacle and height of the lowest "
             "point of the antenna"},
            {15, "Datei1", "Caption", "&File"},
            {16, "Close1", "Caption", "&Close"},
            {17, "mAddToHorizon", "Caption", "&Add this obstacle to the site's horizon"},
            {kAddedEntry, "ObstacleTexts", "AddedToHorizon",
             "Added to the site's horizon: up to %s\u00b0 at azimuth %s\u00b0."},
        },
        {"*.Font.*", "ed*", "Font.*", "Label*", "lblResult.*"},
    };
    return table;
}

void TfrmObstacles::SetUpColours() {
    SetBackground(Panel1, QPalette::Window, Qt::black);
    SetBackground(Panel2, QPalette::Window, Qt::white);
    // Radio buttons draw their circles in the base colour.
    SetBackground(Panel2, QPalette::Base, Qt::white);
    // The question box is white and the drawing light under every desktop theme.
    for (QWidget* onPicture :
         std::initializer_list<QWidget*>{Panel2, lblElevation, Label1, lblDistance, Label2})
        UseDarkText(onPicture);
    QFont bold = lblCalc->font();
    bold.setBold(true);
    lblCalc->setFont(bold);
    lblResult->setFont(bold);
    SetTextColour(lblResult, Qt::blue);
    SetTextColour(lblHeightInfo, QColor(128, 128, 128));
    // These two stand on the tree's dark crown.
    SetTextColour(lblHeight, Qt::white);
    SetTextColour(Label3, Qt::white);
}

void TfrmObstacles::ConnectHandlers() {
    for (QRadioButton* radio : {rbDistance, rbHeight, rbElevation}) {
        // A mode change unchecks one button and checks another; only the checked one acts.
        connect(radio, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                OnRbChange();
        });
    }
    for (QLineEdit* edit : {edElevation, edDistance, edHeight}) {
        connect(edit, &QLineEdit::textChanged, this, &TfrmObstacles::OnInputChange);
        connect(edit, &QLineEdit::editingFinished, this, &TfrmObstacles::OnInputFinished);
    }
    connect(Close1, &QAction::triggered, this, &TfrmObstacles::Close1Click);
    connect(mAddToHorizon, &QAction::triggered, this, &TfrmObstacles::mAddToHorizonClick);
}

void TfrmObstacles::FormCreate() {
    rbDistance->setChecked(true);
    edElevation->setText(ObstacleValueText(kStartElevation));
    edHeight->setText(ObstacleValueText(kStartHeight));
}

void TfrmObstacles::SetSatellite(const SatelliteRecord& record) {
    if (!record)
        return;
    Satellite = record;
    rbDistance->setChecked(true);
    edElevation->setText(ObstacleValueText(Satellite->Elevation));
    edHeight->setText(ObstacleValueText(kStartHeight));
}

ObstacleMode TfrmObstacles::CurrentMode() const {
    if (rbDistance->isChecked())
        return ObstacleMode::Distance;
    if (rbHeight->isChecked())
        return ObstacleMode::Height;
    if (rbElevation->isChecked())
        return ObstacleMode::Elevation;
    return ObstacleMode::Distance;
}

QLineEdit* TfrmObstacles::ResultEdit(ObstacleMode mode) const {
    switch (mode) {
    case ObstacleMode::Distance:
        return edDistance;
    case ObstacleMode::Height:
        return edHeight;
    case ObstacleMode::Elevation:
        return edElevation;
    }
    return edDistance;
}

void TfrmObstacles::OnRbChange() {
    const QColor normal = palette().color(QPalette::Base);
    const QColor normalText = palette().color(QPalette::Text);
    for (QLineEdit* edit : {edElevation, edDistance, edHeight}) {
        // The colours below would hide a mark; the recalculation marks afresh.
        MarkRejected(edit, false);
        SetBackground(edit, QPalette::Base, normal);
        SetBackground(edit, QPalette::Text, normalText);
        edit->setReadOnly(false);
    }
    QLineEdit* result = ResultEdit(CurrentMode());
    SetBackground(result, QPalette::Base, Qt::yellow);
    SetBackground(result, QPalette::Text, TextColourOn(Qt::yellow));
    result->setReadOnly(true);
    OnInputChange();
}

double TfrmObstacles::ReadInput(QLineEdit* edit, ObstacleInput (*reader)(const QString&),
                                bool writeCorrections) {
    const ObstacleInput input = reader(edit->text());
    MarkRejected(edit, input.rejected || !IsShowableObstacleValue(input.value));
    if (input.rejected)
        return std::numeric_limits<double>::quiet_NaN();
    if (input.corrected && writeCorrections)
        edit->setText(ObstacleValueText(input.value));
    return input.value;
}

void TfrmObstacles::OnInputChange() {
    Recalculate(false);
}

void TfrmObstacles::OnInputFinished() {
    Recalculate(true);
}

void TfrmObstacles::Recalculate(bool writeCorrections) {
    if (recalculationDepth >= kMaxRecalculationDepth)
        return;
    ++recalculationDepth;
    const ObstacleMode mode = CurrentMode();
    double height = 0.0;    // metres
    double elevation = 0.0; // degrees
    double distance = 0.0;  // metres
    if (mode != ObstacleMode::Height)
        height = ReadInput(edHeight, ReadObstacleHeight, writeCorrections);
    if (mode != ObstacleMode::Elevation)
        elevation = ReadInput(edElevation, ReadObstacleElevation, writeCorrections);
    if (mode != ObstacleMode::Distance)
        distance = ReadInput(edDistance, ReadObstacleDistance, writeCorrections);

    // An input that is no number gives no value (NaN), and so no result.
    const bool inputRejected = std::isnan(height) || std::isnan(elevation) || std::isnan(distance);
    m_blockedElevation = inputRejected ? std::numeric_limits<double>::quiet_NaN()
                         : mode == ObstacleMode::Elevation ? ObstacleElevation(height, distance)
                                                           : elevation;
    mAddToHorizon->setEnabled(Satellite && m_link.addToHorizon &&
                              IsShowableObstacleValue(m_blockedElevation));
    switch (mode) {
    case ObstacleMode::Distance:
        ShowResult(mode, ObstacleDistance(height, elevation), inputRejected);
        break;
    case ObstacleMode::Height:
        ShowResult(mode, ObstacleHeight(distance, elevation), inputRejected);
        break;
    case ObstacleMode::Elevation:
        ShowResult(mode, ObstacleElevation(height, distance), inputRejected);
        break;
    }
    --recalculationDepth;
}

void TfrmObstacles::mAddToHorizonClick() {
    if (!Satellite || !m_link.addToHorizon || !IsShowableObstacleValue(m_blockedElevation))
        return;
    m_link.addToHorizon(Satellite->Azimuth, m_blockedElevation);
    StatusBar1->showMessage(
        FormatPercentS(TranslatedText(Translation(), kAddedEntry),
                       {FormatFixed(m_blockedElevation, 2), FormatFixed(Satellite->Azimuth, 2)}));
}

void TfrmObstacles::ShowResult(ObstacleMode mode, double result, bool inputRejected) {
    QLineEdit* resultEdit = ResultEdit(mode);
    MarkRejected(resultEdit, false);
    if (inputRejected) {
        resultEdit->clear();
        lblResult->clear();
        return;
    }
    if (!IsShowableObstacleValue(result)) {
        for (QLineEdit* edit : {edElevation, edDistance, edHeight})
            if (edit != resultEdit)
                MarkRejected(edit, true);
        resultEdit->clear();
        lblResult->clear();
        return;
    }
    resultEdit->setText(ObstacleValueText(result));
    // The sentence quotes the edit, so it always shows the rounded number the edit shows.
    lblResult->setText(ObstacleResultSentence(mode, resultEdit->text()));
}

void TfrmObstacles::FormShow() {
    OnRbChange();
    OnInputFinished();
}

void TfrmObstacles::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QMainWindow::showEvent(event);
}

void TfrmObstacles::FormClose() {
    setAttribute(Qt::WA_DeleteOnClose);
}

void TfrmObstacles::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
}

void TfrmObstacles::Close1Click() {
    close();
}

void TfrmObstacles::PlaceCaptions() {
    // The box stands outside any layout, so nothing has measured its new texts yet.
    for (QWidget* box : {Panel2, Panel1}) {
        box->layout()->invalidate();
        box->layout()->activate();
    }
    constexpr QSize kQuestionBox(257, 145);
    Panel1->resize(std::max(kQuestionBox.width(), Panel1->sizeHint().width()), Panel1->height());
    GrowDownToFit(Panel1, kQuestionBox.height());
    // The note stands right of the question box, beside it however wide that grows.
    constexpr int kNoteGap = 15; // pixels
    lblHeightInfo->move(std::max(kNoteLeft, Panel1->geometry().right() + 1 + kNoteGap),
                        lblHeightInfo->y());
    constexpr int kNoteRightMargin = 8; // pixels
    GrowDownToFit(lblHeightInfo, 73, kClientWidth - kNoteRightMargin - lblHeightInfo->x());
    PlaceAtAnchor(lblHeight, 90);
    PlaceAtAnchor(lblElevation, 85);
    PlaceAtAnchor(lblDistance, 114);
    PlaceEdits();
}

void TfrmObstacles::PlaceEdits() {
    FitEditTo(edElevation, ObstacleValueText(kWidestElevation));
    FitEditTo(edDistance, ObstacleValueText(kWidestLength));
    FitEditTo(edHeight, ObstacleValueText(kWidestLength));
    // The elevation's caption stands above its edit, however tall a large font makes both.
    if (lblElevation->geometry().bottom() >= edElevation->y())
        lblElevation->move(lblElevation->x(), edElevation->y() - lblElevation->height());
    const std::pair<QLabel*, QLineEdit*> units[]{
        {Label1, edElevation}, {Label2, edDistance}, {Label3, edHeight}};
    for (const auto& [unit, edit] : units) {
        PlaceAtAnchor(unit, 0);
        unit->move(std::max(unit->x(), edit->geometry().right() + 1 + kUnitGap), unit->y());
    }
}

void TfrmObstacles::LanguageController1LanguageChanged() {
    PlaceCaptions();
    OnInputChange();
}

} // namespace skyvane
