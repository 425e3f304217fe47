#include "fObstacles.h"

#include "FieldMark.h"
#include "HelpBinding.h"
#include "LanguageController.h"

#include <QCloseEvent>
#include <QLayout>
#include <QPalette>
#include <QPixmap>
#include <QShowEvent>

namespace skyvane {

namespace {

// The client area below the menu: the picture's 518 rows, of which the status bar takes the
// last 19.
constexpr int kClientWidth = 700;    // pixels
constexpr int kStatusBarHeight = 19; // pixels
constexpr int kCentralHeight = 518 - kStatusBarHeight;

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

} // namespace

TfrmObstacles::TfrmObstacles(QWidget* owner, const ToolWindowLink& /*link*/)
    : QMainWindow(owner, Qt::Window) {
    setupUi(this);
    // Laid out by pixel over the picture for a small dialog font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);
    centralwidget->setFixedSize(kClientWidth, kCentralHeight);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    HelpBinding::SetHelpContext(this, HelpContext::Obstacles);
    Panel6->setHeadingText(QStringLiteral("Obstacle calculator"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/images/obstacles.png")));
    SetUpColours();
    ConnectHandlers();
    FormCreate();
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
        },
        {"*.Font.*", "ed*", "Font.*", "Label*", "lblResult.*"},
    };
    return table;
}

void TfrmObstacles::SetUpColours() {
    SetBackground(Panel1, QPalette::Window, Qt::black);
    SetBackground(Panel2, QPalette::Window, Qt::white);
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
    for (QLineEdit* edit : {edElevation, edDistance, edHeight}) {
        SetBackground(edit, QPalette::Base, normal);
        edit->setReadOnly(false);
    }
    QLineEdit* result = ResultEdit(CurrentMode());
    SetBackground(result, QPalette::Base, Qt::yellow);
    result->setReadOnly(true);
    OnInputChange();
}

double TfrmObstacles::ReadInput(QLineEdit* edit, ObstacleInput (*reader)(const QString&),
                                bool writeCorrections) {
    const ObstacleInput input = reader(edit->text());
    MarkRejected(edit, !IsShowableObstacleValue(input.value));
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

    switch (mode) {
    case ObstacleMode::Distance:
        ShowResult(mode, ObstacleDistance(height, elevation));
        break;
    case ObstacleMode::Height:
        ShowResult(mode, ObstacleHeight(distance, elevation));
        break;
    case ObstacleMode::Elevation:
        ShowResult(mode, ObstacleElevation(height, distance));
        break;
    }
    --recalculationDepth;
}

void TfrmObstacles::ShowResult(ObstacleMode mode, double result) {
    QLineEdit* resultEdit = ResultEdit(mode);
    MarkRejected(resultEdit, false);
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

void TfrmObstacles::LanguageController1LanguageChanged() {
    OnInputChange();
}

} // namespace skyvane
